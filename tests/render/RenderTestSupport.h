// Small builders shared by the render tests.
#pragma once

#include "project/Texture.h"
#include "render/EffectRenderer.h"
#include "support/TestShaders.h"

#include <memory>
#include <string>
#include <vector>

// A render cache and the values of one frame of the window's size, drawn with one renderer.
struct TestRenderer {
    RenderCache cache;
    FrameContext frame;
    EffectRenderer renderer{cache, frame};

    TestRenderer(int width, int height) { frame.screen = {width, height}; }
};

// The bytes of a one-pixel 24-bit BMP file of one colour.
inline std::vector<uint8_t> solidBmp(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> file = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,        // file header
                                 40,  0,   0,  0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, // 1 x 1, 24 bits
                                 0,   0,   0,  0, 4, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const uint8_t byte : {b, g, r, uint8_t{0}}) // one row, padded to four bytes
        file.push_back(byte);
    return file;
}

// A one-texel image of one colour.
inline std::unique_ptr<Texture> solidTexture(uint8_t r, uint8_t g, uint8_t b) {
    return std::make_unique<Texture>("solid.bmp", solidBmp(r, g, b));
}
