// The frames of a frame sequence at `fps` a second. Frame n lies n / fps
// seconds after frame 0, so its beat depends on n alone: spans rendered apart
// join exactly, and the same export always shows the same beats.
#pragma once

#include "project/Tempo.h"

#include <cmath>
#include <cstdint>

// Where frame 0 lies; each export names its own.
enum class FrameOrigin {
    musicStart, // the start of the music: the tool's render, whose video plays with the music
    beatZero,   // beat 0: the editor's "Export Videoframes", as its numbered files promise
};

struct FrameGrid {
    Tempo tempo;
    int fps = 30;
    FrameOrigin origin = FrameOrigin::musicStart;

    double beatOf(int64_t frame) const { return counted().beatAt(static_cast<double>(frame), fps); }
    // The first frame at or after `beat` (within rounding, the same for the same beat).
    int64_t firstFrameFrom(double beat) const {
        return static_cast<int64_t>(std::ceil(counted().countAt(beat, fps) - 1e-6));
    }
    // Where the frame lies in the mix, in sample frames at `rate` a second.
    int64_t mixPositionOf(int64_t frame, int rate) const { return frame * rate / fps; }

private:
    // The tempo that counts time from frame 0.
    Tempo counted() const { return origin == FrameOrigin::beatZero ? Tempo{tempo.bpm, 0.0} : tempo; }
};
