#include "render/ImageTexture.h"

#include "project/MediaLimits.h"
#include "render/Gl.h"
#include "render/GlTexture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>

namespace {

// A zero-filled surface whose bytes are R, G, B, A in memory.
SDL_Surface* createRgbaSurface(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
}

} // namespace

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
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* image = stream ? IMG_Load_RW(stream, 1) : nullptr;
    if (!image)
        return std::nullopt;
    // Blitting onto the zero surface converts any format to RGBA and blends
    // transparent pixels onto black, which premultiplies their colours.
    SDL_Surface* rgba = image->w <= maxSide && image->h <= maxSide ? createRgbaSurface(image->w, image->h) : nullptr;
    if (rgba && SDL_BlitSurface(image, nullptr, rgba, nullptr) == 0) {
        glTexture = createRgbaTexture(rgba->w, rgba->h, rgba->pixels, wrapClamp);
        width = rgba->w;
        height = rgba->h;
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
    return std::nullopt;
}
