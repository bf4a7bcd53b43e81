#include "audio/HeardAnalysis.h"

void HeardAnalysis::analyse(const OfflineMix& mix, int64_t position) {
    mix.mix(position - analysedFrames, analysedFrames, heard_.data());
    analyser_.analyse(heard_.data(), analysedFrames, rows_.data());
    soundLevel_ = loudnessOf(heard_.data(), static_cast<int>(heard_.size()));
}
