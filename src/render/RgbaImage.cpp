#include "render/RgbaImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

void premultiplyAlpha(RgbaImage& image) {
    for (std::size_t pixel = 0; pixel + 3 < image.pixels.size(); pixel += 4) {
        const unsigned alpha = image.pixels[pixel + 3];
        for (std::size_t channel = pixel; channel < pixel + 3; ++channel)
            image.pixels[channel] = static_cast<uint8_t>((image.pixels[channel] * alpha + 127) / 255);
    }
}

void copyInto(const RgbaImage& from, RgbaImage& to, int x, int y) {
    const int left = std::max(x, 0);
    const int right = std::min(x + from.width, to.width);
    if (left >= right)
        return;
    const auto rowBytes = static_cast<size_t>(right - left) * 4;
    for (int row = std::max(y, 0); row < std::min(y + from.height, to.height); ++row) {
        const size_t source =
            (static_cast<size_t>(row - y) * static_cast<size_t>(from.width) + static_cast<size_t>(left - x)) * 4;
        const size_t target =
            (static_cast<size_t>(row) * static_cast<size_t>(to.width) + static_cast<size_t>(left)) * 4;
        std::memcpy(to.pixels.data() + target, from.pixels.data() + source, rowBytes);
    }
}
