// The project's sounds as the browser decoded them: the music and each sample,
// interleaved signed 16-bit stereo at the player's mix rate. The browser
// decodes asynchronously, so each arrives when it is ready; one that never
// does stays silent.
#pragma once

#include "audio/SampleFrames.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class BrowserSounds : public SampleFrames {
public:
    std::vector<int16_t> music;

    std::vector<int16_t>& sample(const AudioSample& sample) { return samples_[&sample]; }
    std::span<const int16_t> framesOf(const AudioSample& sample) override {
        const auto found = samples_.find(&sample);
        return found == samples_.end() ? std::span<const int16_t>{} : std::span<const int16_t>(found->second);
    }

private:
    std::unordered_map<const AudioSample*, std::vector<int16_t>> samples_;
};
