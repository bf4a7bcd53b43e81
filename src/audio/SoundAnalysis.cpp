#include "audio/SoundAnalysis.h"

#include <array>
#include <cstring>
#include <memory>

std::atomic<int> musicVolume{128};
std::atomic<int64_t> lastMixBytes{0};

namespace {

using Rows = std::array<uint8_t, soundTextureByteCount>;
constexpr int rowBytes = analysisSize * 4;

// Three row buffers: the audio thread fills the back one and swaps it with the
// middle one, the main thread swaps the middle one with the front one when a new
// one is there. Neither ever touches the buffer the other is using.
class RowExchange {
public:
    Rows& back() { return rows_[back_]; }
    const Rows& lastPublished() const { return rows_[lastPublished_]; }

    void publish() {
        lastPublished_ = back_;
        back_ = middle_.exchange(back_ | freshBit) & indexMask;
    }
    const Rows& front() {
        if (middle_.load() & freshBit)
            front_ = middle_.exchange(front_) & indexMask;
        return rows_[front_];
    }

private:
    static constexpr int freshBit = 4;
    static constexpr int indexMask = 3;
    std::array<Rows, 3> rows_{};
    int back_ = 0;               // audio thread
    int lastPublished_ = 2;      // audio thread
    std::atomic<int> middle_{1}; // shared
    int front_ = 2;              // main thread
};

RowExchange rowExchange;
std::unique_ptr<MixAnalyser> analyser; // used by the audio thread once made
std::atomic<int> latestLevel{0};

int16_t scaled(int16_t sample, int volume) { return static_cast<int16_t>(sample * volume / 128); }

} // namespace

void createFftConfig() {
    if (!analyser)
        analyser = std::make_unique<MixAnalyser>();
}

void analyseMix(int, void* stream, int length, void*) {
    lastMixBytes = length;
    if (!analyser)
        return;
    auto* samples = static_cast<int16_t*>(stream);
    Rows& rows = rowExchange.back();
    // Texels a short buffer does not reach keep their last value.
    std::memcpy(rows.data() + rowBytes, rowExchange.lastPublished().data() + rowBytes, rowBytes);
    analyser->analyse(samples, length / 4, rows.data());
    rowExchange.publish();

    const int volume = musicVolume.load(std::memory_order_relaxed);
    const int values = length / 2;
    for (int v = 0; v < values; ++v)
        samples[v] = scaled(samples[v], volume);
    latestLevel.store(loudnessOf(samples, values), std::memory_order_relaxed);
}

int soundLevel() { return latestLevel.load(std::memory_order_relaxed); }

const uint8_t* soundTextureBytes() { return rowExchange.front().data(); }
