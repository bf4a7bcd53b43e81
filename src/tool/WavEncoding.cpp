#include "tool/WavEncoding.h"

namespace {

void putLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void putTag(std::vector<uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> wavHeader(uint32_t dataBytes, int rate, int channels) {
    const auto blockAlign = static_cast<uint32_t>(channels * 2);
    std::vector<uint8_t> bytes;
    putTag(bytes, "RIFF");
    putLittleEndian(bytes, 36 + dataBytes, 4);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2); // PCM
    putLittleEndian(bytes, static_cast<uint32_t>(channels), 2);
    putLittleEndian(bytes, static_cast<uint32_t>(rate), 4);
    putLittleEndian(bytes, static_cast<uint32_t>(rate) * blockAlign, 4);
    putLittleEndian(bytes, blockAlign, 2);
    putLittleEndian(bytes, 16, 2);
    putTag(bytes, "data");
    putLittleEndian(bytes, dataBytes, 4);
    return bytes;
}

std::vector<uint8_t> encodeWav(std::span<const int16_t> samples, int rate, int channels) {
    std::vector<uint8_t> bytes = wavHeader(static_cast<uint32_t>(samples.size() * 2), rate, channels);
    bytes.reserve(bytes.size() + samples.size() * 2);
    for (const int16_t sample : samples)
        putLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    return bytes;
}
