// An image that effects sample, as the project stores it: the PNG or JPEG file's
// bytes as imported. The render cache decodes it into a texture.
#pragma once

#include "project/ByteBuffer.h"
#include "project/EditMark.h"
#include "project/ISerializable.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>

class Texture : public ISerializable {
public:
    std::unique_ptr<ByteBuffer> imageBuffer = std::make_unique<ByteBuffer>(); // the file's bytes as imported
    std::string name; // the image's path, e.g. "resources/logo.png"; its reference name
    EditMark edits;   // touched when the bytes change

    Texture() = default;
    // Imported from the file at `path`. Throws LoadError when it cannot be read.
    explicit Texture(const std::string& path);
    Texture(std::string name, std::span<const uint8_t> bytes);

    // With `projectForm` the object holds only "name" (the bytes are among the
    // project's resource files); otherwise "image_buffer" holds them too.
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the name's length and the image's size.
    static constexpr size_t minBinaryBytes = 8 + 8;
    void writeBinary(BinaryWriter& stream) const override;
    // The bytes of "image_buffer", else of the file `name`.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
