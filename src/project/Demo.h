// The project root: tempo settings and transport state of the open project.
//
// Exactly one Demo is current at a time (`theDemo`); a load replaces it.
#pragma once

#include <cstdint>

class Demo {
public:
    float end_beat = 480.0f;   // beat at which a player stops
    float bpm = 130.0f;        // tempo, beats per minute
    float beat_offset = 0.5f;  // beats between the start of the music and beat 0
    bool paused = false;       // transport state, not saved
    uint64_t loadTotal = 0;    // objects in the lists when loaded; denominator of load progress

    // Composes the demo picture at `beat` over the back buffer.
    void renderAt(float beat);
};

// The one open project, set at start-up and by every load.
extern Demo* theDemo;
