// WAV files of 16-bit PCM sound.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The 44 bytes that start a WAV file whose sound is `dataBytes` long.
std::vector<uint8_t> wavHeader(uint32_t dataBytes, int rate, int channels);
// A whole WAV file of `samples`, interleaved frames of `channels` values each.
std::vector<uint8_t> encodeWav(std::span<const int16_t> samples, int rate, int channels);
