#include "editor/windows/EventTimeline.h"

#include "project/Demo.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int visibleRows = 57;
constexpr float beatsPerDivision = 16.0f;
// More ruler lines than this would be closer than a pixel apart.
constexpr float maxDivisions = 512.0f;
constexpr ImU32 playheadColour = IM_COL32(0, 128, 0, 200);

// The held event keeps its unrounded range from the previous frame; every other
// event starts from its stored beats.
void currentRange(const Event& event, const TimelineState& state, float range[2]) {
    const bool held = state.heldEvent == &event;
    range[0] = held ? state.heldRange[0] : event.startBeat;
    range[1] = held ? state.heldRange[1] : event.endBeat;
}

// Truncated toward zero, as the timeline stores beats; a value a rounding error
// short of a whole beat (a bar stopped at the end) is that beat.
float wholeBeat(float value) {
    const float nearest = std::round(value);
    return std::fabs(value - nearest) < 1e-3f ? nearest : std::trunc(value);
}

void drawEventRow(Event& event, TimelineState& state, TimelineResult& result) {
    float range[2];
    currentRange(event, state, range);
    if (state.widget.row(event.name.c_str(), range, false)) {
        result.changedEvent = &event;
        result.start = wholeBeat(range[0]);
        result.end = wholeBeat(range[1]);
    }
    if (state.widget.rowHeld()) {
        state.heldEvent = &event;
        state.heldRange[0] = range[0];
        state.heldRange[1] = range[1];
        result.dragging = true;
    }
}

void drawEventRows(Demo& demo, TimelineState& state, TimelineResult& result) {
    for (const auto& event : demo.events)
        if (event->visible)
            drawEventRow(*event, state, result);
}

// Called right after the rows region closed, while it is the last item. A press
// on the rows' background seeks and keeps seeking while the button is held;
// the GUI counts such a press as the start of a window move, so it is found by
// where the press began rather than by what is hovered. The seek maps the
// pointer through the track as drawn, so it lands on the beat under it.
std::optional<float> scrubTarget(const TimelineTrack& track, float endBeat, bool partHeld) {
    if (partHeld || !std::isfinite(endBeat) || !ImGui::IsMouseDown(ImGuiMouseButton_Left) ||
        !ImGui::IsWindowHovered(ImGuiHoveredFlags_ChildWindows | ImGuiHoveredFlags_AllowWhenBlockedByActiveItem))
        return std::nullopt;
    const ImVec2 pressedAt = ImGui::GetIO().MouseClickedPos[ImGuiMouseButton_Left];
    const ImVec2 min = ImGui::GetItemRectMin();
    const ImVec2 max = ImGui::GetItemRectMax();
    if (pressedAt.x < min.x || pressedAt.y < min.y || pressedAt.x >= max.x || pressedAt.y >= max.y)
        return std::nullopt;
    return scrubBeat(ImGui::GetIO().MousePos.x, track.originX, track.width, endBeat);
}

} // namespace

TimelineResult drawTimeline(Demo& demo, float currentBeat, TimelineState& state) {
    TimelineResult result;
    ImGui::BeginChild("timeline", ImVec2(0.0f, 0.0f), false);
    if (state.widget.begin("Timeline", demo.end_beat, visibleRows, static_cast<int>(demo.events.size())))
        drawEventRows(demo, state, result);
    // An end beat read from a file may be huge or not a number at all.
    const float wholeDivisions = std::floor(demo.end_beat / beatsPerDivision);
    const int divisions = wholeDivisions > 0.0f ? static_cast<int>(std::min(wholeDivisions, maxDivisions)) : 0;
    state.widget.end(divisions, currentBeat, playheadColour);
    // A drag that ended, or whose row left the view or the project, leaves nothing behind.
    if (!result.dragging)
        state.dropHeld();
    result.seekBeat = scrubTarget(state.widget.track(), demo.end_beat, result.dragging);
    ImGui::EndChild();
    return result;
}

float scrubBeat(float mouseX, float trackOriginX, float trackWidth, float endBeat) {
    const float fraction = std::min((mouseX - trackOriginX) / trackWidth, 1.0f);
    return std::max(0.0f, fraction * endBeat);
}
