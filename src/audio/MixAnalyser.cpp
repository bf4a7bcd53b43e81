#include "audio/MixAnalyser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

namespace {

constexpr int rowBytes = analysisSize * 4;

void setTexel(uint8_t* rows, int row, int texel, uint8_t value) {
    std::memset(rows + row * rowBytes + texel * 4, value, 4);
}

// The dB of `magnitude` relative to `reference` as a texel: -90 dB or less is 0, 0 dB or more 255.
uint8_t levelOf(float magnitude, float reference) {
    float decibels = 20.0f * std::log10(magnitude / reference);
    if (!(decibels >= -90.0f)) // also NaN, when there was nothing to measure
        decibels = -90.0f;
    const float level = (decibels + 90.0f) * 255.0f / 90.0f;
    return static_cast<uint8_t>(std::clamp(level, 0.0f, 255.0f));
}

} // namespace

void MixAnalyser::analyse(const int16_t* samples, int frames, uint8_t* rows) {
    float windowSum = 0.0f;
    for (int i = 0; i < frames; ++i) {
        const int texel = frames > 1 ? i * (analysisSize - 1) / (frames - 1) : 0;
        const int16_t left = samples[2 * i];
        setTexel(rows, 1, texel, static_cast<uint8_t>(left / 256 + 128));
        const auto weight = static_cast<float>(0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * i / 1023.0));
        input_[static_cast<size_t>(texel)] = static_cast<float>(left) * (1.0f / 32768.0f) * weight;
        windowSum += weight;
    }
    fft_.transform(input_.data(), output_.data());
    const float half = windowSum * 0.5f;
    for (int k = 0; k < analysisSize; ++k) {
        const std::complex<float> bin = output_[static_cast<size_t>(k * 20000 / 96000)];
        setTexel(rows, 0, k, levelOf(std::sqrt(bin.real() * bin.real() + bin.imag() * bin.imag()), half));
    }
}

int loudnessOf(const int16_t* samples, int valueCount) {
    const int values = std::min(valueCount, levelValueCount);
    int sum = 0;
    for (int v = 0; v < values; ++v)
        sum += std::min(std::abs(static_cast<int>(samples[v])), 32767);
    return sum / levelValueCount;
}
