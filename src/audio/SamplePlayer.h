// Where the composition starts the samples that sample events reach: the live
// mixer while the demo plays, or an offline mix when it is rendered to files.
#pragma once

class AudioSample;

class SamplePlayer {
public:
    virtual ~SamplePlayer() = default;
    // Starts `sample` now, unless it is still playing from an earlier start.
    virtual void play(const AudioSample& sample) = 0;
};
