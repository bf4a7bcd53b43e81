// A timeline drawn with Dear ImGui: a scrolling child region of rows, each a
// label and a bar between two round handles over a value range, with a ruler,
// a playhead and a progress strip below.
//
// Used immediate-mode, once per frame:
//     if (widget.begin("id", max, visibleRows, rowCount))
//         for (each row) changed |= widget.row(label, values, false);
//     widget.end(divisions, playhead, colour);   // always, even when not visible
//
// The layout maths lives in the plain functions below, so it can be checked
// without a window.
#pragma once

#include <imgui.h>

#include <string_view>
#include <vector>

constexpr float timelineHandleRadius = 6.0f;
constexpr float timelineBarTop = 3.0f; // below the row top
constexpr float timelineBarThickness = 6.0f;

// Where the last frame drew a row, in screen pixels: enough to find its handles
// (handleCentreX) and bar on screen, as a user's pointer does. The label is the
// caller's, valid while that stays unchanged.
struct TimelineRowPlace {
    std::string_view label;
    float trackLeft = 0.0f;
    float trackWidth = 0.0f;
    float top = 0.0f;
    float maxValue = 0.0f;
};

// The track of the last frame in screen pixels: where value 0 lies and the
// width the whole range spans.
struct TimelineTrack {
    float originX = 0.0f;
    float width = 0.0f;
};

// One timeline; what it keeps from frame to frame is the held handle's state.
class TimelineWidget {
public:
    // Opens the timeline's child region, `visibleRows` rows high (5 when not
    // positive). `maxValue` is the value at the full track width; a negative one
    // makes the track 85% of the region's width in pixels. With `rowCount` > 0
    // only the rows inside the scrolled view are drawn. Returns whether the region
    // is visible; end() must be called either way.
    bool begin(const char* id, float maxValue, int visibleRows, int rowCount);

    // One row: `label`, then the bar from values[0] to values[1], whose handles and
    // bar can be dragged. With `wholeBarOnly` the handles move the whole bar. The
    // values come back in order and inside [0, max]. Returns whether a drag moved them.
    bool row(const char* label, float values[2], bool wholeBarOnly);

    // Whether a handle or the bar of the row drawn last is held by the mouse.
    bool rowHeld() const { return frame_.rowHeld; }

    // Closes the rows region after drawing `divisions` ruler lines and the playhead
    // at `playheadValue`, then draws the progress strip with its labels below it.
    void end(int divisions, float playheadValue, ImU32 playheadColour);

    // The rows drawn by the last frame, in order.
    const std::vector<TimelineRowPlace>& rowsDrawn() const { return rowsDrawn_; }
    TimelineTrack track() const { return track_; }

private:
    // What one frame needs between its begin, rows and end calls.
    struct Frame {
        float timelineMax = 0.0f;
        int rowCount = 0; // 0: every row is drawn
        int visibleFirst = 0;
        int visibleEnd = 0;
        int rowIndex = -1;
        bool rowHeld = false;
        ImU32 inactiveColour = 0;
        ImU32 activeColour = 0;
        ImU32 guideColour = 0;
        ImU32 rulerColour = 0;
        ImU32 labelColour = 0;
    };
    struct RowGeometry {
        float trackLeft;
        float trackWidth;
        float top;
    };
    struct RowDrag {
        bool changed = false;
        bool moveWholeBar = false;
        bool touched = false; // a part is hovered or held: the cursor shows it can move
        bool held = false;
        bool handleMoved = false;
    };

    void readStyleColours();
    void skipRowsAboveView();
    bool rowOutsideView() const;
    void drawHandle(int index, float values[2], bool wholeBarOnly, const RowGeometry& row, RowDrag& drag);
    void drawBar(float values[2], const RowGeometry& row, RowDrag& drag);
    void drawRuler(int divisions, float originX, float width) const;
    void drawPlayhead(float playhead, float originX, float width) const;
    void drawProgressStrip(float playhead, ImU32 playheadColour, ImVec2 min, float width) const;
    void drawDivisionLabels(int divisions, ImVec2 stripMin, float width) const;

    Frame frame_;
    std::vector<TimelineRowPlace> rowsDrawn_; // cleared each frame, its room kept
    // The held handle has been dragged past the other one: the values swapped
    // places, so the handle now moves the other value. Lasts while it is held.
    bool heldHandleCrossed_ = false;
    bool handleHeldThisFrame_ = false;
    TimelineTrack track_;
};

// Where a track of `trackWidth` pixels starting at `originX` shows `value`.
float timelineValueX(float value, float maxValue, float originX, float trackWidth);

// The value a horizontal mouse movement of `deltaX` pixels adds.
float timelineValueDelta(float deltaX, float maxValue, float trackWidth);

// x of a handle's centre. `trackLeft` lies one handle radius left of the track's origin.
float handleCentreX(float value, float maxValue, float trackLeft, float trackWidth);

struct BarExtent {
    float left;
    float right;
};
// The bar's horizontal extent: from one radius right of the start handle's
// centre to one radius left of the end handle's. Empty (right <= left) when
// the handles are closer than two radii.
BarExtent barExtent(const float values[2], float maxValue, float trackLeft, float trackWidth);

// Puts the range in order, then shifts it, keeping its length, to end no later
// than `maxValue` and start no earlier than 0.
void normaliseRange(float values[2], float maxValue);

// x of ruler line `index` (1 to divisions; the last is the track's right end).
float rulerLineX(int index, int divisions, float originX, float trackWidth);

enum class ProgressFill { None, Whole, Split };
struct ProgressSplit {
    ProgressFill fill;
    float x; // where the played part ends, for Split
};
// How much of a strip of `trackWidth` from `x0` shows as played at `playhead`.
ProgressSplit progressSplit(float playhead, float maxValue, float x0, float trackWidth);
