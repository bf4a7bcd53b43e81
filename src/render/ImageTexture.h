// The GL side of an image texture: the project's PNG or JPEG bytes decoded into
// an RGBA8 texture, colours multiplied by their alpha.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class ImageTexture {
public:
    uint32_t glTexture = 0; // 0 when the image could not be decoded
    int32_t width = 0;      // pixels; 0 when decoding failed
    int32_t height = 0;

    ImageTexture() = default;
    ~ImageTexture();
    ImageTexture(const ImageTexture&) = delete;
    ImageTexture& operator=(const ImageTexture&) = delete;

    // Replaces the texture with the image in `bytes`, any format SDL2_image reads
    // (stb_image in the WebAssembly build).
    // Undecodable bytes give a 0 × 0 texture with GL name 0; so does an image
    // declaring more than `maxSide` pixels on a side, which is not decoded at all
    // and returns the reason for the user.
    std::optional<std::string> loadImage(std::span<const uint8_t> bytes, int maxSide);

private:
    void release();
};
