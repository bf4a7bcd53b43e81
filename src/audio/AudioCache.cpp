#include "audio/AudioCache.h"

#include "audio/LiveMix.h"

#include "project/ConsoleLog.h"

#include <utility>

void AudioCache::build(const Demo& demo) {
    for (const auto& sample : demo.audio_samples)
        sound(*sample);
}

SampleSound& AudioCache::sound(const AudioSample& sample) {
    return sounds_.get(sample, [&](SampleSound& sound) {
        if (std::optional<std::string> problem = sound.loadChunk(sample.audioBuffer->data)) {
            problems_.push_back(sample.name + ": " + *problem);
            logLine(problems_.back());
        }
    });
}

void AudioCache::play(const AudioSample& sample) {
    if (live_)
        sound(sample).play(*live_);
}

void AudioCache::release(const ObjectRef& object) {
    if (const auto* sample = std::get_if<const AudioSample*>(&object))
        sounds_.release(*sample);
}

std::vector<std::string> AudioCache::takeProblems() { return std::exchange(problems_, {}); }

std::span<const int16_t> AudioCache::framesOf(const AudioSample& sample) {
    const Mix_Chunk* chunk = sound(sample).chunk;
    if (!chunk)
        return {};
    return {reinterpret_cast<const int16_t*>(chunk->abuf), chunk->alen / 2};
}
