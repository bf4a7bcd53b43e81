#include "render/ImageTexture.h"

#include "project/MediaLimits.h"
#include "render/Gl.h"
#include "render/GlTexture.h"

// The browser and Windows builds have no SDL2_image: stb_image decodes there.
#if defined(__EMSCRIPTEN__) || defined(_WIN32)
#include "render/StbImage.h"
#else
#include "render/SdlImage.h"
#endif

#include <climits>

ImageTexture::~ImageTexture() { release(); }

void ImageTexture::release() {
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
    glTexture = 0;
    width = 0;
    height = 0;
}

std::optional<std::string> ImageTexture::loadImage(std::span<const uint8_t> bytes, int maxSide) {
    release();
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::nullopt;
    // The decoder allocates what the header declares before it reads a pixel.
    if (std::optional<std::string> refusal = imageRefusal(bytes, maxSide))
        return refusal;
#if defined(__EMSCRIPTEN__) || defined(_WIN32)
    const std::optional<RgbaImage> image = decodeWithStb(bytes);
#else
    const std::optional<RgbaImage> image = decodeWithSdl(bytes, maxSide);
#endif
    if (image && image->width <= maxSide && image->height <= maxSide) {
        glTexture = createRgbaTexture(image->width, image->height, image->pixels.data(), wrapClamp);
        width = image->width;
        height = image->height;
    }
    return std::nullopt;
}
