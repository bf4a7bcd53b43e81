// Reading the composed picture back from the window's framebuffer, for files.
#pragma once

#include "render/ScreenSize.h"

#include <cstdint>
#include <vector>

// The back buffer of the default framebuffer as RGB, top row first (GL keeps
// rows bottom up), `size.width` × 3 bytes a row with no padding.
void readFrameRgb(ScreenSize size, std::vector<uint8_t>& rgb);
