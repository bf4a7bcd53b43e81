#include "render/OpenFont.h"

#include "project/MediaLimits.h"
#include "render/Gl.h"
#include "render/GlTexture.h"

#include <climits>

namespace {

constexpr int atlasWidth = 320;
constexpr int atlasHeight = 240;

// Lays the printable ASCII glyphs out in rows, left to right, until the atlas is full.
void drawGlyphs(const FontFace& face, RgbaImage& atlas) {
    int x = 0;
    int y = 0;
    for (uint32_t code = 32; code <= 126; ++code) {
        const RgbaImage glyph = face.renderGlyph(code);
        if (glyph.pixels.empty())
            continue;
        if (x + glyph.width > atlasWidth) {
            y += glyph.height;
            x = 0;
        }
        if (y + glyph.height > atlasHeight)
            return;
        copyInto(glyph, atlas, x, y);
        x += glyph.width;
    }
}

} // namespace

OpenFont::~OpenFont() { close(); }

void OpenFont::close() {
    face.close();
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
    if (!face.open(bytes, font.ptsize))
        return std::nullopt;

    RgbaImage atlas{atlasWidth, atlasHeight, std::vector<uint8_t>(atlasWidth * atlasHeight * 4, 0)};
    drawGlyphs(face, atlas);
    glyphAtlasTexture = createRgbaTexture(atlasWidth, atlasHeight, atlas.pixels.data(), wrapClamp);
    return std::nullopt;
}
