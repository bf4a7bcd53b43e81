#include "project/FontTexture.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/Font.h"

FontTexture::FontTexture(std::string textureName, int32_t textureWidth, int32_t textureHeight, Font* textureFont)
    : name(std::move(textureName)), width(textureWidth), height(textureHeight), font(textureFont) {}

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
    stream.writeReference(font);
    stream.writeFlag(center);
    stream.writeI32(charsPerBeat);
}

void FontTexture::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    width = value.get("width").asInt();
    height = value.get("height").asInt();
    center = value.get("center").asBool();
    charsPerBeat = value.contains("chars_per_beat") ? value.get("chars_per_beat").asInt() : -1;
    edits.touch();
}

void FontTexture::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    width = stream.readI32();
    height = stream.readI32();
    fontId = stream.readObjectId();
    center = stream.readFlag();
    charsPerBeat = stream.readI32();
    edits.touch();
}
