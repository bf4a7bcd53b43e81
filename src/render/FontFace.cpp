#include "render/FontFace.h"

#include <SDL_ttf.h>

#include <cstring>
#include <string>

namespace {

// Blended over a cleared RGBA surface, as the text textures always showed it.
RgbaImage imageOf(SDL_Surface* rendered) {
    RgbaImage image;
    if (!rendered)
        return image;
    SDL_Surface* rgba =
        SDL_CreateRGBSurface(0, rendered->w, rendered->h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (rgba && SDL_BlitSurface(rendered, nullptr, rgba, nullptr) == 0) {
        image.width = rgba->w;
        image.height = rgba->h;
        image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
        const auto* source = static_cast<const uint8_t*>(rgba->pixels);
        for (int row = 0; row < image.height; ++row)
            std::memcpy(image.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(image.width) * 4,
                        source + static_cast<ptrdiff_t>(row) * rgba->pitch, static_cast<size_t>(image.width) * 4);
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(rendered);
    return image;
}

} // namespace

struct FontFace::Face {
    TTF_Font* font = nullptr;
};

FontFace::FontFace() : face_(std::make_unique<Face>()) {}

FontFace::~FontFace() { close(); }

void FontFace::close() {
    if (face_->font)
        TTF_CloseFont(face_->font);
    face_->font = nullptr;
}

bool FontFace::isOpen() const { return face_->font != nullptr; }

bool FontFace::open(std::span<const uint8_t> bytes, int pointSize) {
    close();
    // The library reads the stream for as long as the font is open, and closes it with the font.
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    face_->font = stream ? TTF_OpenFontRW(stream, 1, pointSize) : nullptr;
    return isOpen();
}

RgbaImage FontFace::renderWrapped(std::string_view text, int wrapWidth) const {
    const std::string terminated(text);
    if (!isOpen() || terminated.c_str()[0] == '\0')
        return {};
    return imageOf(TTF_RenderText_Blended_Wrapped(face_->font, terminated.c_str(), SDL_Color{255, 255, 255, 255},
                                                  static_cast<Uint32>(wrapWidth)));
}

RgbaImage FontFace::renderGlyph(uint32_t code) const {
    if (!isOpen())
        return {};
    return imageOf(TTF_RenderGlyph32_Blended(face_->font, code, SDL_Color{255, 255, 255, 255}));
}
