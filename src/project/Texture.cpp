#include "project/Texture.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"

Texture::Texture(const std::string& path) : imageBuffer(readResourceFile(path)), name(path) {}

Texture::Texture(std::string textureName, std::span<const uint8_t> bytes)
    : imageBuffer(std::make_unique<ByteBuffer>(bytes)), name(std::move(textureName)) {}

JsonValue Texture::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}});
    if (!projectForm)
        object.member("image_buffer") = imageBuffer->toJson(projectForm);
    return object;
}

void Texture::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    imageBuffer->writeBinary(stream);
}

void Texture::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    if (value.contains("image_buffer"))
        imageBuffer = std::make_unique<ByteBuffer>(value.get("image_buffer"));
    else
        imageBuffer = readResourceFile(name);
    edits.touch();
}

void Texture::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    imageBuffer = std::make_unique<ByteBuffer>(stream);
    edits.touch();
}
