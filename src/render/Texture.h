// An image that effects sample: an embedded PNG or JPEG decoded once into an
// RGBA8 texture. Also the holder of the sound texture, which has no image bytes.
#pragma once

#include "project/ByteBuffer.h"
#include "project/ISerializable.h"

#include <cstdint>
#include <memory>
#include <string>

class Texture : public ISerializable {
public:
    uint32_t glTexture = 0;                  // 0 when the image could not be decoded
    std::unique_ptr<ByteBuffer> imageBuffer; // the file's bytes as imported; null for the sound texture
    std::string name;                        // the image's path, e.g. "resources/logo.png"; its reference name
    int32_t width = 0;                       // pixels; 0 when decoding failed
    int32_t height = 0;

    Texture() = default;
    // Imported from the file at `path`, decoded. Throws LoadError when it cannot be read.
    explicit Texture(const std::string& path);
    ~Texture() override;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Decodes any image SDL2_image reads into an RGBA texture, colours multiplied by
    // their alpha. Undecodable bytes give a 0 × 0 texture with GL name 0.
    void loadImage();

    // With `projectForm` the image bytes are first written to the file `name` and
    // the object holds only "name"; otherwise "image_buffer" holds them too.
    JsonValue toJson(bool projectForm) const override;
    // Nothing for the sound texture, which is never saved.
    void writeBinary(BinaryWriter& stream) const override;
    // The bytes of "image_buffer", else of the file `name`; then decodes.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
