// A texture of fixed size that shows a text rendered with a font, as the project
// stores it. An effect lists font textures among its inputs; the timeline decides
// the text every frame through the event's text variable named after the font
// texture, and the render cache draws it.
#pragma once

#include "project/EditMark.h"
#include "project/ISerializable.h"
#include "project/ObjectId.h"

#include <cstddef>
#include <cstdint>
#include <string>

class Font;

// Beyond this a damaged project would ask for gigabytes of surface.
constexpr int32_t maxFontTextureSide = 16384;

class FontTexture : public ISerializable {
public:
    std::string name;  // reference name, and the key of the text variable driving it
    int32_t width = 0; // pixels of the texture
    int32_t height = 0;
    Font* font = nullptr;             // not owned
    bool center = false;              // centre the text block horizontally
    int32_t charsPerBeat = -1;        // typing speed; -1 shows whole texts at once
    ObjectId fontId = ObjectId::Null; // the font's token, read from a binary project until resolved
    EditMark edits;                   // touched when the size or the font change

    FontTexture() = default;
    FontTexture(std::string name, int32_t width, int32_t height, Font* font);

    // Keys "name", "width", "height", "font" (its name), "center", "chars_per_beat".
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the name's length, width, height, the font's token,
    // the centre flag and the typing speed.
    static constexpr size_t minBinaryBytes = 8 + 4 + 4 + 8 + 1 + 4;
    void writeBinary(BinaryWriter& stream) const override;
    // The font is resolved by the project.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
