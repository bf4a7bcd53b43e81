#include "audio/OfflineMix.h"

#include <algorithm>

namespace {

// The mixer's music volumes, out of 128: full, and lowered while a sample plays.
constexpr int fullMusicVolume = 128;
constexpr int duckedMusicVolume = 100;

int16_t clipped(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

int64_t framesOf(std::span<const int16_t> values) { return static_cast<int64_t>(values.size() / 2); }

} // namespace

OfflineMix::OfflineMix(std::vector<int16_t> music, SampleFrames& sounds) : music_(std::move(music)), sounds_(sounds) {}

void OfflineMix::play(const AudioSample& sample) {
    const auto playing = playingUntil_.find(&sample);
    if (playing != playingUntil_.end() && playing->second > position_)
        return;
    const std::span<const int16_t> values = sounds_.framesOf(sample);
    const int64_t length = framesOf(values);
    playingUntil_[&sample] = position_ + length;
    if (!values.empty())
        starts_.push_back({values, position_});
    // The first sample's length decides when the music comes back, whatever else starts meanwhile.
    if (ducks_.empty() || ducks_.back().to <= position_)
        ducks_.push_back({position_, position_ + length});
}

void OfflineMix::mix(int64_t first, int64_t count, int16_t* out) const {
    const int64_t musicFrames = static_cast<int64_t>(music_.size() / 2);
    for (int64_t i = 0; i < count; ++i) {
        const int64_t frame = first + i;
        const bool audible = frame >= 0 && frame < musicFrames;
        out[2 * i] = audible ? music_[static_cast<size_t>(2 * frame)] : 0;
        out[2 * i + 1] = audible ? music_[static_cast<size_t>(2 * frame + 1)] : 0;
    }
    for (const Span& duck : ducks_) {
        const int64_t from = std::max(duck.from, first) - first;
        const int64_t to = std::min(duck.to, first + count) - first;
        for (int64_t v = 2 * from; v < 2 * to; ++v)
            out[v] = static_cast<int16_t>(out[v] * duckedMusicVolume / fullMusicVolume);
    }
    for (const Start& start : starts_) {
        const int64_t from = std::max(start.at, first);
        const int64_t to = std::min(start.at + framesOf(start.values), first + count);
        for (int64_t frame = from; frame < to; ++frame)
            for (int64_t channel = 0; channel < 2; ++channel) {
                int16_t& value = out[2 * (frame - first) + channel];
                value = clipped(value + start.values[static_cast<size_t>(2 * (frame - start.at) + channel)]);
            }
    }
}
