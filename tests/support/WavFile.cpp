#include "support/WavFile.h"

#include "tool/WavEncoding.h"

std::vector<uint8_t> makeWav(const std::vector<int16_t>& samples, int rate, int channels) {
    return encodeWav(samples, rate, channels);
}

std::vector<uint8_t> makeSilentWav(double seconds) {
    const auto frames = static_cast<size_t>(seconds * 48000);
    return makeWav(std::vector<int16_t>(frames * 2, 0), 48000, 2);
}
