#include "project/Font.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"

#include <cstdio>

Font::Font(const std::string& path, int32_t pointSize)
    : filename(path), fontBuffer(readResourceFile(path)), ptsize(pointSize) {
    char label[1100];
    std::snprintf(label, sizeof label, "%s (%d pt)", path.c_str(), pointSize);
    name = label;
}

JsonValue Font::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}, {"ptsize", ptsize}, {"filename", filename}});
    if (!projectForm)
        object.member("font_buffer") = fontBuffer->toJson(projectForm);
    return object;
}

void Font::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    writeCompressedString(stream, filename);
    stream.writeI32(ptsize);
    fontBuffer->writeBinary(stream);
}

void Font::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    filename = value.get("filename").asString();
    ptsize = value.get("ptsize").asInt();
    if (value.contains("font_buffer"))
        fontBuffer = std::make_unique<ByteBuffer>(value.get("font_buffer"));
    else
        fontBuffer = readResourceFile(filename);
    edits.touch();
}

void Font::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    filename = readCompressedString(stream);
    ptsize = stream.readI32();
    fontBuffer = std::make_unique<ByteBuffer>(stream);
    edits.touch();
}
