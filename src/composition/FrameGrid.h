// The frames of an offline render. Frame n shows music position n / fps
// seconds, so its beat depends on n alone: spans rendered apart join exactly,
// and the same command always shows the same beats.
#pragma once

#include <cmath>
#include <cstdint>

struct FrameGrid {
    double bpm = 120.0;
    double beatOffset = 0.0; // beat 0 lies this many beats after the start of the music
    int fps = 30;

    double beatOf(int64_t frame) const { return static_cast<double>(frame) * bpm / (60.0 * fps) - beatOffset; }
    // The first frame at or after `beat` (within rounding, the same for the same beat).
    int64_t firstFrameFrom(double beat) const {
        return static_cast<int64_t>(std::ceil((beat + beatOffset) * 60.0 * fps / bpm - 1e-6));
    }
    // Where the frame lies in the mix, in sample frames at `rate` a second.
    int64_t mixPositionOf(int64_t frame, int rate) const { return frame * rate / fps; }
};
