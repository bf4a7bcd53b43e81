// A TrueType font opened at a point size, drawing text as images: white
// glyphs on transparency, colour equal to coverage (premultiplied). The desktop
// build draws with SDL2_ttf, the WebAssembly build with stb_truetype.
#pragma once

#include "render/RgbaImage.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Opens `bytes`, which stay unchanged while the face is open, at `pointSize`
    // pixels to the em. False when they are not a font this build reads.
    bool open(std::span<const uint8_t> bytes, int pointSize);
    void close();
    bool isOpen() const;

    // `text` (Latin-1, up to its first NUL) broken into lines at its newlines and
    // at spaces to fit `wrapWidth` pixels. Empty when there is nothing to draw.
    RgbaImage renderWrapped(std::string_view text, int wrapWidth) const;
    // The glyph of `code` with its advance, or empty when the font lacks it.
    RgbaImage renderGlyph(uint32_t code) const;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};
