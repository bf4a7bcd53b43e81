// The run-time side of a project font: the font opened at its point size, and a
// 320 × 240 preview atlas of its printable ASCII glyphs.
#pragma once

#include "project/Font.h"
#include "render/FontFace.h"

#include <cstdint>
#include <optional>
#include <string>

class OpenFont {
public:
    FontFace face;                  // closed when the bytes are not a font this build reads
    uint32_t glyphAtlasTexture = 0; // 0 until opened

    OpenFont() = default;
    ~OpenFont();
    OpenFont(const OpenFont&) = delete;
    OpenFont& operator=(const OpenFont&) = delete;

    // (Re)opens `font`'s bytes at its size and builds the glyph atlas. A font file
    // whose tables point outside its bytes is not opened; the reason is returned.
    std::optional<std::string> openFont(const Font& font);

private:
    void close();
};
