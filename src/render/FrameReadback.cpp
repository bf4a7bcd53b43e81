#include "render/FrameReadback.h"

#include "render/Gl.h"

#include <algorithm>

void readFrameRgb(ScreenSize size, std::vector<uint8_t>& rgb) {
    const size_t rowBytes = static_cast<size_t>(size.width) * 3;
    rgb.resize(rowBytes * static_cast<size_t>(size.height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1); // rows of width × 3 bytes need not be 4-byte aligned
    glReadPixels(0, 0, size.width, size.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    for (size_t top = 0, bottom = static_cast<size_t>(size.height) - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rgb.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                         rgb.begin() + static_cast<std::ptrdiff_t>((top + 1) * rowBytes),
                         rgb.begin() + static_cast<std::ptrdiff_t>(bottom * rowBytes));
}
