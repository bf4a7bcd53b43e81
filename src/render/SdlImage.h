// Image files decoded by SDL2_image, the desktop's decoder: every format it
// reads, premultiplied.
#pragma once

#include "render/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <span>

// None when `bytes` are no image SDL2_image reads, or one larger than
// `maxSide` on a side.
std::optional<RgbaImage> decodeWithSdl(std::span<const uint8_t> bytes, int maxSide);
