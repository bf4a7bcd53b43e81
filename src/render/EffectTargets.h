// The GL objects of one effect: the full-screen quad it draws, and the output
// texture (with a framebuffer over it) that holds its last image for feedback,
// screen captures and effects that take it as an input.
#pragma once

#include "render/ColourTarget.h"
#include "render/ScreenSize.h"

#include <cstdint>

class EffectTargets {
public:
    uint32_t vertexBuffer = 0;
    uint32_t vertexArray = 0;
    ColourTarget output;          // the last image, screen-sized; none until needed
    bool renderingInputs = false; // set while the effect renders its inputs, to cut input cycles

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
    // Creates the spare a pass that samples the output draws into, once.
    void ensureSpare(ScreenSize size);
    // Copies everything drawn into the current framebuffer so far into the output texture.
    void captureScreen(ScreenSize size);

    // Makes the framebuffer a pass of the effect draws its image into the current
    // one, cleared: the output's, or a spare's when the pass samples the output
    // (a texture is never drawn into while it is sampled).
    void beginPass(ScreenSize size, bool samplesOutput);
    // Makes the image the pass drew the output; the spare keeps the previous one.
    void endPass();

private:
    void initGeometry(int32_t vpLocation);

    ColourTarget spare_;
    bool drawingSpare_ = false;
    int32_t geometryLocation_ = -1; // the "vp" location the quad is set up for
    bool geometryReady_ = false;
};
