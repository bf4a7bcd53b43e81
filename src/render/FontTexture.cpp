#include "render/FontTexture.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/RuntimeResources.h"
#include "render/Font.h"
#include "render/GlTexture.h"

#include <GL/glew.h>
#include <SDL_ttf.h>

namespace {

// Beyond this a damaged project would ask for gigabytes of surface.
constexpr int32_t maxSide = 16384;

} // namespace

FontTexture::FontTexture(std::string textureName, int32_t textureWidth, int32_t textureHeight, Font* textureFont)
    : name(std::move(textureName)), width(textureWidth), height(textureHeight), font(textureFont) {
    createSurfaceAndTexture();
}

FontTexture::~FontTexture() {
    SDL_FreeSurface(surface);
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
}

void FontTexture::createSurfaceAndTexture() {
    SDL_FreeSurface(surface);
    surface = nullptr;
    if (glTexture != 0)
        glDeleteTextures(1, &glTexture);
    glTexture = 0;
    currentText.clear();
    if (!runtimeResourcesEnabled() || width < 1 || height < 1 || width > maxSide || height > maxSide)
        return;
    surface = SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (surface)
        glTexture = createRgbaTexture(width, height, surface->pixels, wrapClamp);
}

void FontTexture::setText(std::string_view text) {
    if (text == currentText)
        return;
    currentText.assign(text);
    renderCurrentText();
}

void FontTexture::renderCurrentText() {
    if (!surface)
        return;
    SDL_FillRect(surface, nullptr, 0);
    TTF_Font* ttf = font ? font->ttfFont : nullptr;
    SDL_Surface* rendered = ttf && !currentText.empty() ? TTF_RenderText_Blended_Wrapped(ttf, currentText.c_str(),
                                                                                         SDL_Color{255, 255, 255, 255},
                                                                                         static_cast<Uint32>(width))
                                                        : nullptr;
    if (rendered) {
        SDL_Rect at{center ? (surface->w - rendered->w) / 2 : 0, 0, rendered->w, rendered->h};
        SDL_BlitSurface(rendered, nullptr, surface, &at);
        SDL_FreeSurface(rendered);
    }
    glBindTexture(GL_TEXTURE_2D, glTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, surface->pixels);
}

JsonValue FontTexture::toJson(bool) const {
    return JsonValue::makeObject({{"name", name},
                                  {"width", width},
                                  {"height", height},
                                  {"font", font ? font->name : std::string()},
                                  {"center", center},
                                  {"chars_per_beat", charsPerBeat}});
}

void FontTexture::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    stream.writeI32(width);
    stream.writeI32(height);
    stream.writeObjectId(font ? objectIdOf(font) : ObjectId::Null);
    stream.writeFlag(center);
    stream.writeI32(charsPerBeat);
}

void FontTexture::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    width = value.get("width").asInt();
    height = value.get("height").asInt();
    center = value.get("center").asBool();
    charsPerBeat = value.contains("chars_per_beat") ? value.get("chars_per_beat").asInt() : -1;
}

void FontTexture::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    width = stream.readI32();
    height = stream.readI32();
    fontId = stream.readObjectId();
    center = stream.readFlag();
    charsPerBeat = stream.readI32();
}
