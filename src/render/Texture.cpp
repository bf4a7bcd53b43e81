#include "render/Texture.h"

#include "render/GlTexture.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>

#include <climits>

namespace {

// A zero-filled surface whose bytes are R, G, B, A in memory.
SDL_Surface* createRgbaSurface(int width, int height) {
    return SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
}

} // namespace

Texture::~Texture() {
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
}

void Texture::loadImage(const uint8_t* bytes, size_t size) {
    glTexture = 0;
    width = 0;
    height = 0;
    if (size == 0 || size > INT_MAX)
        return;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    SDL_Surface* image = stream ? IMG_Load_RW(stream, 1) : nullptr;
    if (!image)
        return;
    // Blitting onto the zero surface converts any format to RGBA and blends
    // transparent pixels onto black, which premultiplies their colours.
    SDL_Surface* rgba = createRgbaSurface(image->w, image->h);
    if (rgba && SDL_BlitSurface(image, nullptr, rgba, nullptr) == 0) {
        glTexture = createRgbaTexture(rgba->w, rgba->h, rgba->pixels, wrapClamp);
        width = rgba->w;
        height = rgba->h;
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
}
