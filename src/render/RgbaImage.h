// A decoded image as textures take it: RGBA8 rows from the top.
#pragma once

#include <cstdint>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 4 bytes
};

// Multiplies each pixel's colour by its alpha, rounded to the nearest level,
// so that filtering and blending treat transparent pixels as black.
void premultiplyAlpha(RgbaImage& image);

// Copies `from` into `to` with its top left corner at (x, y), clipped to `to`.
void copyInto(const RgbaImage& from, RgbaImage& to, int x, int y);
