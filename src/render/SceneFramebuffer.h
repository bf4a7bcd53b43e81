// An offscreen RGBA8 framebuffer of the screen's size in which frames that capture
// are composed. Copies from it into effects' output textures are cheap, where copies
// out of the window's back buffer are not on every driver (Mesa's llvmpipe blits
// from the window through a shader, at the cost of a full-screen pass).
#pragma once

#include "render/ScreenSize.h"

#include <cstdint>

class SceneFramebuffer {
public:
    SceneFramebuffer() = default;
    ~SceneFramebuffer();
    SceneFramebuffer(const SceneFramebuffer&) = delete;
    SceneFramebuffer& operator=(const SceneFramebuffer&) = delete;

    // Makes it the target of drawing (and reading), creating it on first use.
    void bind(ScreenSize size);
    // Copies it into the window's back buffer and makes the window the target again.
    void present();

private:
    uint32_t framebuffer_ = 0;
    uint32_t texture_ = 0;
    ScreenSize size_;
};
