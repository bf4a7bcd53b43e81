#include "audio/SoundLevel.h"

std::array<std::atomic<int16_t>, levelRingSize> levelRing{};

int soundLevel() {
    int sum = 0;
    for (const auto& value : levelRing)
        sum += value.load(std::memory_order_relaxed);
    return sum / levelRingSize;
}
