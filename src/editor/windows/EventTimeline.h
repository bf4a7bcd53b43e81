// The timeline in the lower part of the editor window: a row per visible
// event with its bar between draggable handles, the ruler, the playhead at the
// current beat and the progress strip. Clicking or dragging in the rows seeks.
//
// It changes nothing itself: it reports what the user did this frame, and the
// caller applies it through its edit history.
#pragma once

#include "editor/widgets/TimelineWidget.h"

#include <optional>

class Demo;
class Event;

struct TimelineState {
    TimelineWidget widget;
    // The range of the event being dragged, unrounded. The caller stores whole
    // beats, and re-reading those each frame would undo every movement of less
    // than a beat per frame.
    const Event* heldEvent = nullptr; // whose handle or bar is held; null between drags
    float heldRange[2] = {0.0f, 0.0f};

    void dropHeld() {
        heldEvent = nullptr;
        heldRange[0] = heldRange[1] = 0.0f;
    }
};

struct TimelineResult {
    std::optional<float> seekBeat; // where the playhead was clicked or dragged to
    Event* changedEvent = nullptr; // whose range a drag moved, to become [start, end]
    float start = 0.0f;            // whole beats, truncated toward zero
    float end = 0.0f;
    bool dragging = false; // a handle or bar is held: the changes belong to one edit
};

TimelineResult drawTimeline(Demo& demo, float currentBeat, TimelineState& state);

// The beat a click at `mouseX` seeks to: where the track shows that beat, 0
// left of the track's origin, `endBeat` right of its end.
float scrubBeat(float mouseX, float trackOriginX, float trackWidth, float endBeat);
