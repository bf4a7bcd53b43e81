// A pixel of the frame the program last presented, read back from the GL.
#pragma once

#include "app/AppState.h"

#include <GL/glew.h>

#include <array>
#include <cstdint>

// RGBA at (x, y) from the window's top left.
inline std::array<uint8_t, 4> presentedPixel(const AppState& app, float x, float y) {
    std::array<uint8_t, 4> pixel{};
    glReadBuffer(GL_BACK); // llvmpipe keeps the presented frame there
    glReadPixels(static_cast<int>(x), app.screen.height - 1 - static_cast<int>(y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixel.data());
    return pixel;
}
