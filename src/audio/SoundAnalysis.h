// What the audio thread learns of the mix for the shaders: the spectrum and
// waveform rows of the sound texture, and the loudness given as the "sound"
// uniform (the mean absolute value of the first 100 sample values of the latest
// mixed buffer, after volume).
//
// Written on the audio thread, read on the main thread, without locks: the ring's
// entries are single atomic words, so a reading may mix two buffers.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

constexpr int levelRingSize = 100;
constexpr int soundTextureByteCount = 1024 * 2 * 4; // two rows of 1024 RGBA texels

extern std::array<std::atomic<int16_t>, levelRingSize> levelRing;

// 0 (silence) to 32767.
int soundLevel();

// The latest analysis rows: spectrum then waveform, four equal bytes per texel.
const uint8_t* soundTextureBytes();
