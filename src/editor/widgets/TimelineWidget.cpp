#include "editor/widgets/TimelineWidget.h"

#include <cmath>

#include <cstdio>
#include <utility>

namespace {

// What one timeline needs between its begin, rows and end calls; beginTimeline
// resets it every frame, so only one timeline can be open at a time.
struct WidgetState {
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

WidgetState widget;
std::vector<TimelineRowPlace> rowsDrawn; // cleared each frame, its room kept
// The held handle has been dragged past the other one: the values swapped
// places, so the handle now moves the other value. Lasts while it is held.
bool heldHandleCrossed = false;
bool handleHeldThisFrame = false;
TimelineTrack lastTrack;

float rowPitch() { return ImGui::GetTextLineHeightWithSpacing(); }

float contentRegionWidth() { return ImGui::GetWindowContentRegionMax().x - ImGui::GetWindowContentRegionMin().x; }

// The track leaves room on its right for the region's scrollbar.
float trackWidth() { return ImGui::GetColumnWidth(1) - ImGui::GetStyle().ScrollbarSize; }

// Screen x of value 0: the start of the second column.
float trackOriginX() {
    return ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMin().x + ImGui::GetColumnOffset(1);
}

void readStyleColours() {
    widget.inactiveColour = ImGui::GetColorU32(ImGuiCol_Button);
    widget.activeColour = ImGui::GetColorU32(ImGuiCol_ButtonHovered);
    widget.guideColour = ImGui::GetColorU32(ImGuiCol_SeparatorActive);
    widget.rulerColour = ImGui::GetColorU32(ImGuiCol_Border);
    widget.labelColour = ImGui::GetColorU32(ImGuiCol_Text);
}

// Starts with a narrow name column; once the user has moved the divider
// somewhere sensible it stays where they put it.
void setUpColumns(const char* id) {
    ImGui::Columns(2, id, true);
    const float width = contentRegionWidth();
    if (ImGui::GetColumnOffset(1) >= 0.48f * width)
        ImGui::SetColumnOffset(1, 0.15f * width);
}

void skipRowsAboveView() {
    ImGui::CalcListClipping(widget.rowCount, rowPitch(), &widget.visibleFirst, &widget.visibleEnd);
    ImGui::SetCursorPosY(ImGui::GetCursorPosY() + static_cast<float>(widget.visibleFirst) * rowPitch());
}

bool rowOutsideView() {
    return widget.rowCount > 0 && (widget.rowIndex < widget.visibleFirst || widget.rowIndex >= widget.visibleEnd);
}

// A vertical line across the whole visible height of the current window.
void drawWindowHeightLine(float x, ImU32 colour) {
    const float top = ImGui::GetWindowPos().y + ImGui::GetWindowContentRegionMin().y;
    const float bottom = ImGui::GetWindowPos().y + ImGui::GetWindowHeight();
    ImGui::GetWindowDrawList()->AddLine(ImVec2(x, top), ImVec2(x, bottom), colour, 1.0f);
}

bool invisiblePart(int part, ImVec2 min, ImVec2 size) {
    ImGui::SetCursorScreenPos(min);
    ImGui::PushID(part);
    const bool pressed = ImGui::InvisibleButton("part", size);
    ImGui::PopID();
    return pressed;
}

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

void drawHandle(int index, float values[2], bool wholeBarOnly, const RowGeometry& row, RowDrag& drag) {
    const ImVec2 centre(handleCentreX(values[index], widget.timelineMax, row.trackLeft, row.trackWidth),
                        row.top + timelineHandleRadius);
    const float diameter = 2.0f * timelineHandleRadius;
    invisiblePart(index, ImVec2(centre.x - timelineHandleRadius, centre.y - timelineHandleRadius),
                  ImVec2(diameter, diameter));
    const bool active = ImGui::IsItemActive();
    const bool lit = active || ImGui::IsItemHovered();
    if (lit) {
        ImGui::SetTooltip("%f", static_cast<double>(values[index]));
        if (!wholeBarOnly)
            drawWindowHeightLine(centre.x, widget.guideColour);
    }
    if (active && ImGui::IsMouseDragging(ImGuiMouseButton_Left)) {
        if (wholeBarOnly) {
            drag.moveWholeBar = true;
        } else {
            const int moved = heldHandleCrossed ? 1 - index : index;
            values[moved] += timelineValueDelta(ImGui::GetIO().MouseDelta.x, widget.timelineMax, row.trackWidth);
            drag.changed = true;
            drag.handleMoved = true;
        }
    }
    handleHeldThisFrame |= active;
    drag.touched |= lit;
    drag.held |= active;
    ImGui::GetWindowDrawList()->AddCircleFilled(centre, timelineHandleRadius,
                                                lit ? widget.activeColour : widget.inactiveColour);
}

// Handles closer than two radii leave no bar to draw or grab.
void drawBar(float values[2], const RowGeometry& row, RowDrag& drag) {
    const BarExtent extent = barExtent(values, widget.timelineMax, row.trackLeft, row.trackWidth);
    bool lit = false;
    if (extent.right > extent.left) {
        const ImVec2 min(extent.left, row.top + timelineBarTop);
        const ImVec2 max(extent.right, row.top + timelineBarTop + timelineBarThickness);
        invisiblePart(-1, min, ImVec2(max.x - min.x, max.y - min.y));
        const bool active = ImGui::IsItemActive();
        lit = active || ImGui::IsItemHovered();
        drag.moveWholeBar |= active && ImGui::IsMouseDragging(ImGuiMouseButton_Left);
        drag.touched |= lit;
        drag.held |= active;
        ImGui::GetWindowDrawList()->AddRectFilled(min, max, lit ? widget.activeColour : widget.inactiveColour);
    }
    if (drag.moveWholeBar) {
        const float delta = timelineValueDelta(ImGui::GetIO().MouseDelta.x, widget.timelineMax, row.trackWidth);
        values[0] += delta;
        values[1] += delta;
        drag.changed = true;
    }
    ImGui::SetCursorScreenPos(ImVec2(row.trackLeft, row.top + rowPitch()));
}

void drawRuler(int divisions, float originX, float width) {
    for (int i = 1; i <= divisions; ++i)
        drawWindowHeightLine(rulerLineX(i, divisions, originX, width), widget.rulerColour);
}

void drawPlayhead(float playhead, float originX, float width) {
    if (playhead > 0.0f && playhead < widget.timelineMax)
        drawWindowHeightLine(timelineValueX(playhead, widget.timelineMax, originX, width), widget.guideColour);
}

void drawProgressStrip(float playhead, ImU32 playheadColour, ImVec2 min, float width) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float rounding = ImGui::GetStyle().ScrollbarRounding;
    const ImVec2 max(min.x + width, min.y + rowPitch());
    const ProgressSplit split = progressSplit(playhead, widget.timelineMax, min.x, width);
    switch (split.fill) {
    case ProgressFill::None:
        draw->AddRectFilled(min, max, widget.inactiveColour, rounding);
        break;
    case ProgressFill::Whole:
        draw->AddRectFilled(min, max, playheadColour, rounding);
        break;
    case ProgressFill::Split:
        draw->AddRectFilled(min, ImVec2(split.x, max.y), playheadColour, rounding,
                            ImDrawFlags_RoundCornersTopLeft | ImDrawFlags_RoundCornersBottomRight);
        draw->AddRectFilled(ImVec2(split.x, min.y), max, widget.inactiveColour, rounding,
                            ImDrawFlags_RoundCornersTopRight | ImDrawFlags_RoundCornersBottomLeft);
        draw->AddLine(ImVec2(split.x, min.y), ImVec2(split.x, max.y), widget.guideColour, 1.0f);
        break;
    }
}

void drawDivisionLabels(int divisions, ImVec2 stripMin, float width) {
    for (int i = 0; i < divisions; ++i) {
        char text[32];
        const float value = static_cast<float>(i) * widget.timelineMax / static_cast<float>(divisions);
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
        const float x = stripMin.x + width / static_cast<float>(divisions) * static_cast<float>(i);
        ImGui::GetWindowDrawList()->AddText(ImVec2(x, stripMin.y), widget.labelColour, text);
    }
}

} // namespace

bool beginTimeline(const char* id, float maxValue, int visibleRows, int rowCount) {
    widget = WidgetState{};
    rowsDrawn.clear();
    readStyleColours();
    const int rows = visibleRows > 0 ? visibleRows : 5;
    const bool visible = ImGui::BeginChild(id, ImVec2(0.0f, static_cast<float>(rows) * rowPitch()), false);
    ImGui::PushStyleColor(ImGuiCol_Separator, ImGui::GetStyleColorVec4(ImGuiCol_Border));
    setUpColumns(id);
    // Not-a-number and infinity would put every handle nowhere on the track.
    const bool usable = maxValue >= 0.0f && std::isfinite(maxValue);
    widget.timelineMax = usable ? maxValue : 0.85f * contentRegionWidth();
    if (rowCount > 0) {
        widget.rowCount = rowCount;
        skipRowsAboveView();
    }
    return visible;
}

bool timelineRow(const char* label, float values[2], bool wholeBarOnly) {
    widget.rowIndex += 1;
    widget.rowHeld = false;
    if (rowOutsideView())
        return false;

    ImGui::TextUnformatted(label);
    ImGui::NextColumn();
    const RowGeometry row{trackOriginX() - timelineHandleRadius, trackWidth(), ImGui::GetCursorScreenPos().y};
    rowsDrawn.push_back({label, row.trackLeft, row.trackWidth, row.top, widget.timelineMax});
    RowDrag drag;
    // Rows share their part ids otherwise, and one press would grab every row's handle.
    ImGui::PushID(widget.rowIndex);
    drawHandle(0, values, wholeBarOnly, row, drag);
    drawHandle(1, values, wholeBarOnly, row, drag);
    drawBar(values, row, drag);
    ImGui::PopID();
    if (drag.handleMoved && values[0] > values[1])
        heldHandleCrossed = !heldHandleCrossed;
    normaliseRange(values, widget.timelineMax);
    if (drag.touched)
        ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeAll);
    widget.rowHeld = drag.held;
    ImGui::NextColumn();
    return drag.changed;
}

bool timelineRowHeld() { return widget.rowHeld; }

const std::vector<TimelineRowPlace>& timelineRowsDrawn() { return rowsDrawn; }

TimelineTrack timelineTrack() { return lastTrack; }

void endTimeline(int divisions, float playheadValue, ImU32 playheadColour) {
    if (widget.rowCount > 0)
        ImGui::SetCursorPosY(ImGui::GetCursorPosY() +
                             static_cast<float>(widget.rowCount - widget.visibleEnd) * rowPitch());
    ImGui::NextColumn();
    const float width = trackWidth();
    const float columnOffset = ImGui::GetColumnOffset(1);
    lastTrack = {trackOriginX(), width};
    if (!handleHeldThisFrame)
        heldHandleCrossed = false;
    handleHeldThisFrame = false;
    drawRuler(divisions, trackOriginX(), width);
    drawPlayhead(playheadValue, trackOriginX(), width);
    ImGui::Columns(1);
    ImGui::PopStyleColor();
    ImGui::EndChild();

    // Drawn without submitting an item, so the rows region stays the last item
    // for the caller to ask whether it is hovered.
    const ImVec2 cursor = ImGui::GetCursorScreenPos();
    const ImVec2 stripMin(cursor.x + columnOffset, cursor.y);
    drawProgressStrip(playheadValue, playheadColour, stripMin, width);
    drawDivisionLabels(divisions, stripMin, width);
    ImGui::SetCursorPosY(ImGui::GetCursorPosY() + rowPitch());
}

float timelineValueX(float value, float maxValue, float originX, float trackWidth) {
    return value / maxValue * trackWidth + originX;
}

float timelineValueDelta(float deltaX, float maxValue, float trackWidth) { return deltaX / trackWidth * maxValue; }

float handleCentreX(float value, float maxValue, float trackLeft, float trackWidth) {
    return trackWidth * value / maxValue + timelineHandleRadius + trackLeft;
}

BarExtent barExtent(const float values[2], float maxValue, float trackLeft, float trackWidth) {
    const float inset = 2.0f * timelineHandleRadius;
    const float left = values[0] * trackWidth / maxValue + inset + trackLeft;
    return {left, left + (values[1] - values[0]) * trackWidth / maxValue - inset};
}

void normaliseRange(float values[2], float maxValue) {
    if (values[0] > values[1])
        std::swap(values[0], values[1]);
    if (values[1] > maxValue) {
        const float overshoot = values[1] - maxValue;
        values[0] -= overshoot;
        values[1] -= overshoot;
    }
    if (values[0] < 0.0f) {
        const float undershoot = -values[0];
        values[0] += undershoot;
        values[1] += undershoot;
    }
}

float rulerLineX(int index, int divisions, float originX, float trackWidth) {
    return trackWidth / static_cast<float>(divisions) * static_cast<float>(index) + originX;
}

ProgressSplit progressSplit(float playhead, float maxValue, float x0, float trackWidth) {
    if (playhead <= 0.0f)
        return {ProgressFill::None, x0};
    if (playhead > maxValue)
        return {ProgressFill::Whole, x0 + trackWidth};
    return {ProgressFill::Split, timelineValueX(playhead, maxValue, x0, trackWidth)};
}
