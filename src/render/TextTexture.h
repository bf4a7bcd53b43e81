// The GL side of a font texture: a transparent RGBA image of the font
// texture's size with the current text rendered on it, and its GL texture.
#pragma once

#include "render/FontFace.h"
#include "render/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TextTexture {
public:
    RgbaImage surface; // no pixels when the size is out of range
    uint32_t glTexture = 0;
    std::string currentText; // what the surface shows

    TextTexture() = default;
    ~TextTexture();
    TextTexture(const TextTexture&) = delete;
    TextTexture& operator=(const TextTexture&) = delete;

    // (Re)creates the transparent surface and texture at a new size, keeping the
    // text for the next setText to render again; sides outside 1 to
    // maxFontTextureSide give none. A size the GL refuses keeps the previous
    // surface and texture, and the reason is returned.
    std::optional<std::string> createSurfaceAndTexture(int32_t width, int32_t height);
    // Renders the current text again (after a new size, font or alignment).
    void renderAgain(const FontFace* font, bool center);
    // Renders `text` with `font` (none, or closed, draws nothing) wrapped at the
    // width, centred when asked, and uploads it; nothing happens when the text is
    // already shown.
    void setText(std::string_view text, const FontFace* font, bool center);
    // Tells which state of the font the text is drawn with (its edit mark); a
    // change makes the next setText render even an unchanged text.
    void useFontState(uint64_t fontMark) {
        stale_ = stale_ || fontMark != fontMark_;
        fontMark_ = fontMark;
    }

private:
    void release();
    void render(const FontFace* font, bool center);

    uint64_t fontMark_ = 0;
    bool stale_ = false;
};
