#include "support/WavFile.h"

#include <string_view>

namespace {

void putBytes(std::vector<uint8_t>& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void putLe(std::vector<uint8_t>& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> makeWav(const std::vector<int16_t>& samples, int rate, int channels) {
    const auto dataSize = static_cast<uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<uint32_t>(channels * 2);
    std::vector<uint8_t> out;
    putBytes(out, "RIFF");
    putLe(out, 36 + dataSize, 4);
    putBytes(out, "WAVEfmt ");
    putLe(out, 16, 4);
    putLe(out, 1, 2); // PCM
    putLe(out, static_cast<uint32_t>(channels), 2);
    putLe(out, static_cast<uint32_t>(rate), 4);
    putLe(out, static_cast<uint32_t>(rate) * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, 16, 2);
    putBytes(out, "data");
    putLe(out, dataSize, 4);
    for (int16_t sample : samples)
        putLe(out, static_cast<uint16_t>(sample), 2);
    return out;
}

std::vector<uint8_t> makeSilentWav(double seconds) {
    const auto frames = static_cast<size_t>(seconds * 48000);
    return makeWav(std::vector<int16_t>(frames * 2, 0), 48000, 2);
}
