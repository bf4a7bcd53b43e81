#include "render/StbImage.h"

#include <climits>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>

std::optional<RgbaImage> decodeWithStb(std::span<const uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::nullopt;
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> decoded(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4),
        stbi_image_free);
    if (!decoded)
        return std::nullopt;
    RgbaImage image{width, height, std::vector<uint8_t>(decoded.get(), decoded.get() + size_t{4} * width * height)};
    premultiplyAlpha(image);
    return image;
}
