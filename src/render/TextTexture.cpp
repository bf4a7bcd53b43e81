#include "render/TextTexture.h"

#include "project/FontTexture.h"
#include "render/Gl.h"
#include "render/GlErrors.h"
#include "render/GlTexture.h"

#include <algorithm>
#include <utility>

TextTexture::~TextTexture() { release(); }

void TextTexture::release() {
    surface = {};
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
    RgbaImage made{width, height,
                   std::vector<uint8_t>(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0)};
    checkGlErrors("before a text texture"); // so that an error below is this texture's
    const uint32_t texture = createRgbaTexture(width, height, made.pixels.data(), wrapClamp);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        return "the GL refused a " + std::to_string(width) + " x " + std::to_string(height) +
               " texture; the previous size stays";
    }
    release();
    surface = std::move(made);
    glTexture = texture;
    return std::nullopt;
}

void TextTexture::setText(std::string_view text, const FontFace* font, bool center) {
    if (text == currentText && !stale_)
        return;
    currentText.assign(text);
    stale_ = false;
    render(font, center);
}

void TextTexture::renderAgain(const FontFace* font, bool center) {
    stale_ = false;
    render(font, center);
}

void TextTexture::render(const FontFace* font, bool center) {
    if (surface.pixels.empty())
        return;
    std::fill(surface.pixels.begin(), surface.pixels.end(), uint8_t{0});
    const RgbaImage rendered = font ? font->renderWrapped(currentText, surface.width) : RgbaImage{};
    copyInto(rendered, surface, center ? (surface.width - rendered.width) / 2 : 0, 0);
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface.width, surface.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 surface.pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
}
