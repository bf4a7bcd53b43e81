// Where an offline mix finds the decoded sound of each sample: interleaved
// signed 16-bit stereo at the mix's rate. The desktop decodes with the mixer,
// the browser player with the browser.
#pragma once

#include <cstdint>
#include <span>

class AudioSample;

class SampleFrames {
public:
    virtual ~SampleFrames() = default;
    // The sample's sound, empty when it has none; valid while the sample is unchanged.
    virtual std::span<const int16_t> framesOf(const AudioSample& sample) = 0;
};
