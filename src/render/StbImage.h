// Image files decoded by stb_image, for the build without SDL_image (the
// WebAssembly player): PNG, JPEG, BMP, TGA, GIF's first frame and the rest it
// reads, premultiplied as the desktop's decoding gives them.
#pragma once

#include "render/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <span>

// None when `bytes` are no image stb_image reads.
std::optional<RgbaImage> decodeWithStb(std::span<const uint8_t> bytes);
