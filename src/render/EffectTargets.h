// The GL objects of one effect: the full-screen quad it draws, and the output
// texture (with a framebuffer over it) that holds its last captured image for
// feedback, screen captures and effects that take it as an input.
#pragma once

#include "render/ScreenSize.h"

#include <cstdint>

class EffectTargets {
public:
    uint32_t vertexBuffer = 0;
    uint32_t vertexArray = 0;
    uint32_t outputTexture = 0;      // the last captured image, screen-sized; 0 until needed
    uint32_t captureFramebuffer = 0; // framebuffer over outputTexture, target of captures
    bool renderingInputs = false;    // set while the effect renders its inputs, to cut input cycles

    EffectTargets() = default;
    ~EffectTargets();
    EffectTargets(const EffectTargets&) = delete;
    EffectTargets& operator=(const EffectTargets&) = delete;

    // Releases every GL object, as for an effect seen for the first time.
    void reset();
    // Draws the quad with the program in use, its position attribute bound to
    // `vpLocation` (set up again when the program relinked with another).
    void drawQuad(int32_t vpLocation);
    // Creates the output texture (zero-filled) and its framebuffer once.
    void ensureCaptureTarget(ScreenSize size);
    // Copies everything drawn into the current framebuffer so far into the output texture.
    void captureScreen(ScreenSize size);

private:
    void initGeometry(int32_t vpLocation);

    int32_t geometryLocation_ = -1; // the "vp" location the quad is set up for
    bool geometryReady_ = false;
};
