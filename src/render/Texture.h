// An image that effects sample: an embedded PNG or JPEG decoded once into an
// RGBA8 texture. Also the holder of the sound texture, which has no image bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Texture {
public:
    uint32_t glTexture = 0; // 0 when the image could not be decoded
    std::string name;       // the image's path, e.g. "resources/logo.png"; its reference name
    int32_t width = 0;      // pixels; 0 when decoding failed
    int32_t height = 0;

    Texture() = default;
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Decodes any image SDL2_image reads into an RGBA texture, colours multiplied by
    // their alpha. Undecodable bytes give a 0 × 0 texture with GL name 0.
    void loadImage(const uint8_t* bytes, size_t size);
};
