#include "render/OpenFont.h"

#include "project/MediaLimits.h"
#include "render/Gl.h"
#include "render/GlTexture.h"

#include <climits>

namespace {

constexpr int atlasWidth = 320;
constexpr int atlasHeight = 240;

// Lays the printable ASCII glyphs out in rows, left to right, until the atlas is full.
void drawGlyphs(TTF_Font* font, SDL_Surface* atlas) {
    int x = 0;
    int y = 0;
    for (Uint32 code = 32; code <= 126; ++code) {
        SDL_Surface* glyph = TTF_RenderGlyph32_Blended(font, code, SDL_Color{255, 255, 255, 255});
        if (!glyph)
            continue;
        if (x + glyph->w > atlasWidth) {
            y += glyph->h;
            x = 0;
        }
        if (y + glyph->h > atlasHeight) {
            SDL_FreeSurface(glyph);
            return;
        }
        SDL_Rect at{x, y, glyph->w, glyph->h};
        SDL_BlitSurface(glyph, nullptr, atlas, &at);
        x += glyph->w;
        SDL_FreeSurface(glyph);
    }
}

} // namespace

OpenFont::~OpenFont() { close(); }

void OpenFont::close() {
    if (ttfFont)
        TTF_CloseFont(ttfFont);
    ttfFont = nullptr;
    if (glyphAtlasTexture != 0)
        glDeleteTextures(1, &glyphAtlasTexture);
    glyphAtlasTexture = 0;
}

std::optional<std::string> OpenFont::openFont(const Font& font) {
    close();
    const std::vector<uint8_t>& bytes = font.fontBuffer->data;
    if (bytes.empty() || bytes.size() > INT_MAX || font.ptsize < 1 || font.ptsize > maxPointSize)
        return std::nullopt;
    if (std::optional<std::string> refusal = fontRefusal(bytes))
        return refusal;
    // The library reads the stream for as long as the font is open, and closes it with the font.
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    ttfFont = stream ? TTF_OpenFontRW(stream, 1, font.ptsize) : nullptr;
    if (!ttfFont)
        return std::nullopt;

    SDL_Surface* atlas =
        SDL_CreateRGBSurface(0, atlasWidth, atlasHeight, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!atlas)
        return std::nullopt;
    drawGlyphs(ttfFont, atlas);
    glyphAtlasTexture = createRgbaTexture(atlasWidth, atlasHeight, atlas->pixels, wrapClamp);
    SDL_FreeSurface(atlas);
    return std::nullopt;
}
