#include "audio/SoundAnalysis.h"

std::array<std::atomic<int16_t>, levelRingSize> levelRing{};

namespace {

std::array<uint8_t, soundTextureByteCount> analysisRows{};

} // namespace

int soundLevel() {
    int sum = 0;
    for (const auto& value : levelRing)
        sum += value.load(std::memory_order_relaxed);
    return sum / levelRingSize;
}

const uint8_t* soundTextureBytes() { return analysisRows.data(); }
