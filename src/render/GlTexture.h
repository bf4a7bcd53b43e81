// The one way textures are created: RGBA8, nearest filtering, no mipmaps.
#pragma once

#include <cstdint>

// GL_CLAMP, the wrap mode every caller asks for; contexts that reject it get
// GL_CLAMP_TO_EDGE instead.
constexpr uint32_t wrapClamp = 0x2900;

// Creates a width × height RGBA8 texture from `pixels` (R, G, B, A bytes, first row
// first). Returns its GL name. It, like every upload here, leaves the active
// unit with no texture bound: a pass then samples only what it binds itself,
// whatever the frames before it did, so a render may start at any frame.
uint32_t createRgbaTexture(int width, int height, const void* pixels, uint32_t wrapMode);
