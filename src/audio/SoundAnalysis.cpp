#include "audio/SoundAnalysis.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

std::atomic<int> musicVolume{128};
std::atomic<int64_t> lastMixBytes{0};
std::array<std::atomic<int16_t>, levelRingSize> levelRing{};

namespace {

using Rows = std::array<uint8_t, soundTextureByteCount>;
constexpr int rowBytes = analysisSize * 4;
constexpr int spectrumBins = analysisSize / 2 + 1;

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
kiss_fftr_cfg fftConfig = nullptr;

// Audio-thread working state. The FFT input keeps entries a short buffer does not write.
std::array<float, analysisSize> fftInput{};
std::array<kiss_fft_cpx, spectrumBins> fftOutput{};
int levelRingIndex = 0;

void setTexel(Rows& rows, int row, int texel, uint8_t value) {
    std::memset(rows.data() + row * rowBytes + texel * 4, value, 4);
}

int16_t scaled(int16_t sample, int volume) { return static_cast<int16_t>(sample * volume / 128); }

// The dB of `magnitude` relative to `reference` as a texel: -90 dB or less is 0, 0 dB or more 255.
uint8_t levelOf(float magnitude, float reference) {
    float decibels = 20.0f * std::log10(magnitude / reference);
    if (!(decibels >= -90.0f)) // also NaN, when there was nothing to measure
        decibels = -90.0f;
    const float level = (decibels + 90.0f) * 255.0f / 90.0f;
    return static_cast<uint8_t>(std::clamp(level, 0.0f, 255.0f));
}

} // namespace

void createFftConfig() {
    if (!fftConfig)
        fftConfig = kiss_fftr_alloc(analysisSize, 0, nullptr, nullptr);
}

void analyseMix(int, void* stream, int length, void*) {
    lastMixBytes = length;
    if (!fftConfig)
        return;
    auto* samples = static_cast<int16_t*>(stream);
    const int frames = length / 4;
    const int volume = musicVolume.load(std::memory_order_relaxed);

    Rows& rows = rowExchange.back();
    // Texels a short buffer does not reach keep their last value.
    std::memcpy(rows.data() + rowBytes, rowExchange.lastPublished().data() + rowBytes, rowBytes);
    float windowSum = 0.0f;
    for (int i = 0; i < frames; ++i) {
        const int texel = frames > 1 ? i * (analysisSize - 1) / (frames - 1) : 0;
        int16_t& left = samples[2 * i];
        int16_t& right = samples[2 * i + 1];
        setTexel(rows, 1, texel, static_cast<uint8_t>(left / 256 + 128));
        const auto weight = static_cast<float>(0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * i / 1023.0));
        fftInput[static_cast<size_t>(texel)] = static_cast<float>(left) * (1.0f / 32768.0f) * weight;
        windowSum += weight;
        left = scaled(left, volume);
        right = scaled(right, volume);
    }

    kiss_fftr(fftConfig, fftInput.data(), fftOutput.data());
    const float half = windowSum * 0.5f;
    for (int k = 0; k < analysisSize; ++k) {
        const kiss_fft_cpx& bin = fftOutput[static_cast<size_t>(k * 20000 / 96000)];
        setTexel(rows, 0, k, levelOf(std::sqrt(bin.r * bin.r + bin.i * bin.i), half));
    }
    rowExchange.publish();

    const int values = std::min(length / 2, levelRingSize);
    for (int v = 0; v < values; ++v) {
        const int magnitude = std::min(std::abs(static_cast<int>(samples[v])), 32767);
        levelRing[static_cast<size_t>(levelRingIndex)].store(static_cast<int16_t>(magnitude),
                                                             std::memory_order_relaxed);
        levelRingIndex = (levelRingIndex + 1) % levelRingSize;
    }
}

int soundLevel() {
    int sum = 0;
    for (const auto& value : levelRing)
        sum += value.load(std::memory_order_relaxed);
    return sum / levelRingSize;
}

const uint8_t* soundTextureBytes() { return rowExchange.front().data(); }
