// The one way textures are created: RGBA8, nearest filtering, no mipmaps.
#pragma once

#include <cstdint>

// GL_CLAMP, the wrap mode every caller asks for; contexts that reject it get
// GL_CLAMP_TO_EDGE instead.
constexpr uint32_t wrapClamp = 0x2900;

// Creates a width × height RGBA8 texture from `pixels` (R, G, B, A bytes, first row
// first) and leaves it bound on the active unit. Returns its GL name.
uint32_t createRgbaTexture(int width, int height, const void* pixels, uint32_t wrapMode);
