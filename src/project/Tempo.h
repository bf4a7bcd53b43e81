// The project's tempo as time: beats and the music's time, either way. Beat 0
// lies `beatOffset` beats after the start of the music. Time is counted in any
// unit that comes `perSecond` to a second (milliseconds, sample frames, picture
// frames). The beat clock, the frame grids of both exports and the browser
// player all turn beats into time through here.
#pragma once

#include <cmath>

class Demo;

struct Tempo {
    double bpm = 120.0;      // beats a minute
    double beatOffset = 0.0; // beats from the start of the music to beat 0

    static Tempo of(const Demo& demo);

    // A tempo that is not a positive number has no time: beats stay where they are.
    bool usable() const { return bpm > 0.0 && std::isfinite(bpm); }
    // The beat `count` units after the start of the music.
    double beatAt(double count, double perSecond) const { return count * bpm / (60.0 * perSecond) - beatOffset; }
    // The units from the start of the music to `beat`; negative before it starts.
    double countAt(double beat, double perSecond) const { return (beat + beatOffset) * 60.0 * perSecond / bpm; }
};
