// The bytes of a file embedded in the project: the music, images, fonts and
// WAV samples. JSON form: a String with the base64 text of the bytes (standard
// alphabet, padded). Binary record: u64 size, then the bytes.
#pragma once

#include "project/ISerializable.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

class ByteBuffer : public ISerializable {
public:
    std::vector<uint8_t> data; // may be empty; its size is the buffer's size

    ByteBuffer() = default;
    explicit ByteBuffer(std::span<const uint8_t> bytes) : data(bytes.begin(), bytes.end()) {}
    // Both throw CodecError on malformed input, like fromJson and readBinary.
    explicit ByteBuffer(const JsonValue& value) { fromJson(value); }
    explicit ByteBuffer(BinaryReader& stream) { readBinary(stream); }

    // The whole file at `path`; empty when it cannot be read.
    static std::optional<ByteBuffer> fromFile(const std::filesystem::path& path);

    size_t size() const { return data.size(); }

    // The same in both forms: `projectForm` is ignored.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
