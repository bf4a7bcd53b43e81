#include "render/RgbaImage.h"

#include <cstddef>

void premultiplyAlpha(RgbaImage& image) {
    for (std::size_t pixel = 0; pixel + 3 < image.pixels.size(); pixel += 4) {
        const unsigned alpha = image.pixels[pixel + 3];
        for (std::size_t channel = pixel; channel < pixel + 3; ++channel)
            image.pixels[channel] = static_cast<uint8_t>((image.pixels[channel] * alpha + 127) / 255);
    }
}
