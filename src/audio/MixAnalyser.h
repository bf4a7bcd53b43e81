// The analysis the shaders see of one buffer of the mix: a spectrum row and a
// waveform row of the sound texture, and the loudness of the "sound" uniform.
// The live mixer hook and the offline renderer analyse their buffers alike.
#pragma once

#include "audio/RealFft.h"

#include <array>
#include <complex>
#include <cstdint>

constexpr int analysisSize = 1024;                          // FFT points and texels per row
constexpr int levelValueCount = 100;                        // sample values the loudness is taken from
constexpr int soundTextureByteCount = analysisSize * 2 * 4; // spectrum row, waveform row, RGBA

class MixAnalyser {
public:
    // Writes the rows of `frames` interleaved signed 16-bit stereo frames into
    // `rows` (soundTextureByteCount bytes): 1024 spectrum texels of the left
    // channel (0 = -90 dB or less, 255 = 0 dB or more), then 1024 waveform texels
    // (128 = silence), four equal bytes each. The buffer is spread over the
    // waveform row; texels a short buffer does not reach keep what `rows` held.
    // Allocates nothing.
    void analyse(const int16_t* samples, int frames, uint8_t* rows);

private:
    static constexpr int spectrumBins = analysisSize / 2 + 1;

    RealFft fft_{analysisSize};
    std::array<float, analysisSize> input_{}; // keeps entries a short buffer does not write
    std::array<std::complex<float>, spectrumBins> output_{};
};

// The loudness of a buffer: the mean magnitude of its first 100 sample values
// (fewer when it is shorter), 0 (silence) to 32767.
int loudnessOf(const int16_t* samples, int valueCount);
