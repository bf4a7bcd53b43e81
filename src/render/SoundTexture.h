// The sound texture: 1024 × 2 RGBA texels refilled every frame from the audio
// analysis (row 0 the spectrum, row 1 the waveform) and bound to unit 16.
#pragma once

#include <cstdint>

constexpr int soundTextureWidth = 1024;
constexpr int soundTextureHeight = 2;
constexpr int soundTextureUnit = 16;

class SoundTexture {
public:
    uint32_t glTexture = 0;

    // Zero-filled: silence.
    SoundTexture();
    ~SoundTexture();
    SoundTexture(const SoundTexture&) = delete;
    SoundTexture& operator=(const SoundTexture&) = delete;

    // Replaces the texels with `rows` (spectrum row, then waveform row, RGBA);
    // null uploads silence.
    void upload(const uint8_t* rows);
};
