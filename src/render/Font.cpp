#include "render/Font.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"
#include "project/RuntimeResources.h"
#include "render/GlTexture.h"

#include <GL/glew.h>

#include <climits>
#include <cstdio>

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

Font::Font(const std::string& path, int32_t pointSize)
    : filename(path), fontBuffer(readResourceFile(path)), ptsize(pointSize) {
    char label[1100];
    std::snprintf(label, sizeof label, "%s (%d pt)", path.c_str(), pointSize);
    name = label;
    openFont();
}

Font::~Font() {
    if (ttfFont)
        TTF_CloseFont(ttfFont);
    if (glyphAtlasTexture != 0)
        glDeleteTextures(1, &glyphAtlasTexture);
}

void Font::openFont() {
    if (ttfFont)
        TTF_CloseFont(ttfFont);
    ttfFont = nullptr;
    if (!runtimeResourcesEnabled() || fontBuffer->data.empty() || fontBuffer->size() > INT_MAX || ptsize < 1 ||
        ptsize > maxPointSize)
        return;
    // The library reads the stream for as long as the font is open, and closes it with the font.
    SDL_RWops* stream = SDL_RWFromConstMem(fontBuffer->data.data(), static_cast<int>(fontBuffer->size()));
    ttfFont = stream ? TTF_OpenFontRW(stream, 1, ptsize) : nullptr;
    if (!ttfFont)
        return;

    SDL_Surface* atlas =
        SDL_CreateRGBSurface(0, atlasWidth, atlasHeight, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!atlas)
        return;
    drawGlyphs(ttfFont, atlas);
    if (glyphAtlasTexture != 0)
        glDeleteTextures(1, &glyphAtlasTexture);
    glyphAtlasTexture = createRgbaTexture(atlasWidth, atlasHeight, atlas->pixels, wrapClamp);
    SDL_FreeSurface(atlas);
}

JsonValue Font::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}, {"ptsize", ptsize}, {"filename", filename}});
    if (projectForm)
        writeResourceFile(filename, fontBuffer->data);
    else
        object.member("font_buffer") = fontBuffer->toJson(projectForm);
    return object;
}

void Font::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    writeCompressedString(stream, filename);
    stream.writeI32(ptsize);
    fontBuffer->writeBinary(stream);
}

void Font::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    filename = value.get("filename").asString();
    ptsize = value.get("ptsize").asInt();
    if (value.contains("font_buffer"))
        fontBuffer = std::make_unique<ByteBuffer>(value.get("font_buffer"));
    else
        fontBuffer = readResourceFile(filename);
}

void Font::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    filename = readCompressedString(stream);
    ptsize = stream.readI32();
    fontBuffer = std::make_unique<ByteBuffer>(stream);
}
