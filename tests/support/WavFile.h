// Builds 16-bit PCM WAV files in memory, for feeding the mixer real audio.
#pragma once

#include <cstdint>
#include <vector>

// `samples` are interleaved frames of `channels` values each.
std::vector<uint8_t> makeWav(const std::vector<int16_t>& samples, int rate, int channels);

// `seconds` of silence at 48000 Hz, stereo.
std::vector<uint8_t> makeSilentWav(double seconds);
