// The beat clock: turns SDL milliseconds into the current beat using the open
// project's tempo and offset, and keeps the music stream in step when the user
// pauses, resumes or jumps.
//
// Beat 0 lies `beat_offset` beats after the start of the music. While the
// project's tempo is not positive the clock holds its beat: nothing advances
// and seeks move only the displayed beat.
#pragma once

#include "composition/TickSource.h"
#include "project/Numbers.h"

#include <cstdint>

class Demo;
class Event;

// Music position in milliseconds of `beat` (may be negative before the music starts; 0 when
// the tempo is not positive).
int32_t beatToMs(const Demo& demo, float beat);

class BeatClock {
public:
    uint32_t startTicks = 0;          // ticks at which music position 0 lies
    float currentBeat = 0.0f;         // beat of the frame being drawn
    float cueBeat = 0.0f;             // target of the Cue button and Ctrl+Home
    bool paused = false;              // the clock holds its beat and the music is paused
    const Event* loopEvent = nullptr; // the event the transport loops over (set in the events editor), or null
    TickSource ticks;                 // SDL_GetTicks unless a test replaces it

    BeatClock();

    // Places music position 0 at the present moment; called when the music starts.
    void anchor();
    // The per-frame update: derives the beat from the elapsed time unless paused.
    void advance(const Demo& demo);
    void togglePause(const Demo& demo);
    // Jumps the clock and the music to `beat`; the music never goes before its start.
    void seekToBeat(const Demo& demo, float beat);
    // 16-beat navigation: to the previous boundary (never below 0), or the next.
    void seekToPreviousBar(const Demo& demo);
    void seekToNextBar(const Demo& demo);
    void seekToCue(const Demo& demo);
};
