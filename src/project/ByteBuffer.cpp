#include "project/ByteBuffer.h"

#include "project/Base64.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/FileIo.h"

#include <string>

std::optional<ByteBuffer> ByteBuffer::fromFile(const std::filesystem::path& path) {
    const std::optional<std::string> contents = tryReadWholeFile(path);
    if (!contents)
        return std::nullopt;
    ByteBuffer buffer;
    buffer.data.assign(contents->begin(), contents->end());
    return buffer;
}

JsonValue ByteBuffer::toJson(bool) const { return base64Encode(data); }

void ByteBuffer::writeBinary(BinaryWriter& stream) const {
    stream.writeU64(data.size());
    stream.writeBytes(data);
}

void ByteBuffer::fromJson(const JsonValue& value) { data = base64Decode(value.asString()); }

void ByteBuffer::readBinary(BinaryReader& stream) {
    const std::span<const uint8_t> bytes = stream.readBytes(stream.readU64());
    data.assign(bytes.begin(), bytes.end());
}
