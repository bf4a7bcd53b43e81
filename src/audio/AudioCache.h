// The mixer side of a running project: one decoded sound per audio sample,
// found by the sample and decoded again when the sample's bytes change. One
// cache serves one project and is released with it.
#pragma once

#include "audio/SampleFrames.h"
#include "audio/SamplePlayer.h"
#include "audio/SampleSound.h"
#include "project/Demo.h"
#include "project/ObjectCache.h"
#include "project/ObjectRef.h"

#include <string>
#include <vector>

class LiveMix;

class AudioCache : public SamplePlayer, public SampleFrames {
public:
    // `live`: the live mix samples start in; none for a cache that only decodes.
    explicit AudioCache(LiveMix* live = nullptr) : live_(live) {}

    // Decodes every sample of `demo`, so no event waits for a decoder.
    void build(const Demo& demo);

    SampleSound& sound(const AudioSample& sample);
    // Starts the sample on the live mixer unless it is still playing; nothing
    // without a live mix.
    void play(const AudioSample& sample) override;
    std::span<const int16_t> framesOf(const AudioSample& sample) override;

    // Releases the sound of `object` when it is a sample that has left the project.
    void release(const ObjectRef& object);

    // Messages about samples that were refused since the last call, for the user.
    std::vector<std::string> takeProblems();

private:
    LiveMix* live_;
    ObjectCache<AudioSample, SampleSound> sounds_;
    std::vector<std::string> problems_;
};
