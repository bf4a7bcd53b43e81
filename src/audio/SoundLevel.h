// The loudness given to shaders as the "sound" uniform: the mean absolute value
// of the first 100 sample values of the latest mixed buffer, after volume.
//
// The ring is written on the audio thread and read on the main thread; each entry
// is one atomic word, so a reading may mix two buffers, which is accepted.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

constexpr int levelRingSize = 100;

extern std::array<std::atomic<int16_t>, levelRingSize> levelRing;

// 0 (silence) to 32767.
int soundLevel();
