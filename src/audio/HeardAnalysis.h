// What the shaders see of the sound at a moment of an offline mix: the analysis
// of the mixer buffer heard just before it. The offline renderer and the
// browser player take it alike, so a frame's analysis is the mix heard up to
// that frame in both.
#pragma once

#include "audio/MixAnalyser.h"
#include "audio/OfflineMix.h"

#include <array>
#include <cstdint>

class HeardAnalysis {
public:
    // Analyses the buffer of `mix` that ends at `position`: samples started at
    // `position` are not in it yet.
    void analyse(const OfflineMix& mix, int64_t position);

    // The "sound" level, 0 to 32767, and the sound texture's rows of the last analysis.
    int soundLevel() const { return soundLevel_; }
    const uint8_t* rows() const { return rows_.data(); }

private:
    static constexpr int analysedFrames = 1024; // one mixer buffer

    MixAnalyser analyser_;
    std::array<int16_t, analysedFrames * 2> heard_{};
    std::array<uint8_t, soundTextureByteCount> rows_{};
    int soundLevel_ = 0;
};
