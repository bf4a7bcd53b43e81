#include "render/TextTexture.h"

#include "project/FontTexture.h"
#include "render/Gl.h"
#include "render/GlErrors.h"
#include "render/GlTexture.h"

TextTexture::~TextTexture() { release(); }

void TextTexture::release() {
    SDL_FreeSurface(surface);
    surface = nullptr;
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
    glTexture = 0;
}

std::optional<std::string> TextTexture::createSurfaceAndTexture(int32_t width, int32_t height) {
    // The text stays, to be rendered again on the new surface.
    stale_ = true;
    if (width < 1 || height < 1 || width > maxFontTextureSide || height > maxFontTextureSide) {
        release();
        return std::nullopt;
    }
    SDL_Surface* made = SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!made)
        return "no memory for a " + std::to_string(width) + " x " + std::to_string(height) + " text surface";
    checkGlErrors("before a text texture"); // so that an error below is this texture's
    const uint32_t texture = createRgbaTexture(width, height, made->pixels, wrapClamp);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        SDL_FreeSurface(made);
        return "the GL refused a " + std::to_string(width) + " x " + std::to_string(height) +
               " texture; the previous size stays";
    }
    release();
    surface = made;
    glTexture = texture;
    return std::nullopt;
}

void TextTexture::setText(std::string_view text, TTF_Font* font, bool center) {
    if (text == currentText && !stale_)
        return;
    currentText.assign(text);
    stale_ = false;
    render(font, center);
}

void TextTexture::renderAgain(TTF_Font* font, bool center) {
    stale_ = false;
    render(font, center);
}

void TextTexture::render(TTF_Font* font, bool center) {
    if (!surface)
        return;
    SDL_FillRect(surface, nullptr, 0);
    SDL_Surface* rendered =
        font && !currentText.empty()
            ? TTF_RenderText_Blended_Wrapped(font, currentText.c_str(), SDL_Color{255, 255, 255, 255},
                                             static_cast<Uint32>(surface->w))
            : nullptr;
    if (rendered) {
        SDL_Rect at{center ? (surface->w - rendered->w) / 2 : 0, 0, rendered->w, rendered->h};
        SDL_BlitSurface(rendered, nullptr, surface, &at);
        SDL_FreeSurface(rendered);
    }
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface->w, surface->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, surface->pixels);
}
