// A texture of fixed size that shows a text rendered with a font. An effect lists
// font textures among its inputs; the timeline decides the text every frame
// through the event's text variable named after the font texture.
#pragma once

#include "project/ISerializable.h"
#include "project/ObjectId.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>

class Font;

class FontTexture : public ISerializable {
public:
    std::string name;  // reference name, and the key of the text variable driving it
    int32_t width = 0; // pixels of the texture and its surface
    int32_t height = 0;
    Font* font = nullptr;           // not owned
    bool center = false;            // centre the text block horizontally
    int32_t charsPerBeat = -1;      // typing speed; -1 shows whole texts at once
    SDL_Surface* surface = nullptr; // RGBA bytes, owned
    uint32_t glTexture = 0;
    std::string currentText;          // what the surface shows
    ObjectId fontId = ObjectId::Null; // the font's token, read from a binary project until resolved

    FontTexture() = default;
    // A new font texture showing nothing, its surface and texture created.
    FontTexture(std::string name, int32_t width, int32_t height, Font* font);
    ~FontTexture() override;
    FontTexture(const FontTexture&) = delete;
    FontTexture& operator=(const FontTexture&) = delete;

    // (Re)creates the transparent surface and texture at the current size.
    void createSurfaceAndTexture();
    // Renders `text` wrapped at the width (as Latin-1 bytes) and uploads it; nothing
    // happens when the text is already shown.
    void setText(std::string_view text);

    // Keys "name", "width", "height", "font" (its name), "center", "chars_per_beat".
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // The font is resolved by the project, which then creates the surface.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;

private:
    void renderCurrentText();
};
