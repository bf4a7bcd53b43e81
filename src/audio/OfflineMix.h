// The player's mix worked out ahead of time, for rendering the demo to files:
// the music decoded whole, each sample started at the position of the frame that
// reached it, the music lowered while a sample plays (for the length of the
// sample that lowered it, as live), all summed with the mixer's clipping.
// Positions count sample frames from the start of the music at the mixer's rate
// (interleaved signed 16-bit stereo); the music ends in silence.
#pragma once

#include "audio/SampleFrames.h"
#include "audio/SamplePlayer.h"

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

class OfflineMix : public SamplePlayer {
public:
    // `sounds` decodes the samples and must outlive the mix.
    OfflineMix(std::vector<int16_t> music, SampleFrames& sounds);

    // Where samples started from now on begin: the position of the frame being composed.
    void setPosition(int64_t frame) { position_ = frame; }
    void play(const AudioSample& sample) override;

    // Writes `count` frames of the mix from `first` to `out` (2 × count values).
    // Positions before the music starts are silence. Complete for every position
    // before the current one.
    void mix(int64_t first, int64_t count, int16_t* out) const;

private:
    struct Start {
        std::span<const int16_t> values;
        int64_t at;
    };
    struct Span {
        int64_t from, to;
    };

    std::vector<int16_t> music_;
    SampleFrames& sounds_;
    int64_t position_ = 0;
    std::vector<Start> starts_;
    std::vector<Span> ducks_; // in time order, never overlapping
    std::unordered_map<const AudioSample*, int64_t> playingUntil_;
};
