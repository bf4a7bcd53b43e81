#include "editor/widgets/TimelineWidget.h"

#include <cmath>

#include <cstdio>
#include <utility>

namespace {

float rowPitch() { return ImGui::GetTextLineHeightWithSpacing(); }

float contentRegionWidth() { return ImGui::GetWindowContentRegionMax().x - ImGui::GetWindowContentRegionMin().x; }

// The track leaves room on its right for the region's scrollbar.
float trackWidth() { return ImGui::GetColumnWidth(1) - ImGui::GetStyle().ScrollbarSize; }

// Screen x of value 0: the start of the second column.
float trackOriginX() {
    return ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMin().x + ImGui::GetColumnOffset(1);
}

} // namespace

void TimelineWidget::readStyleColours() {
    frame_.inactiveColour = ImGui::GetColorU32(ImGuiCol_Button);
    frame_.activeColour = ImGui::GetColorU32(ImGuiCol_ButtonHovered);
    frame_.guideColour = ImGui::GetColorU32(ImGuiCol_SeparatorActive);
    frame_.rulerColour = ImGui::GetColorU32(ImGuiCol_Border);
    frame_.labelColour = ImGui::GetColorU32(ImGuiCol_Text);
}

namespace {

// Starts with a narrow name column; once the user has moved the divider
// somewhere sensible it stays where they put it.
void setUpColumns(const char* id) {
    ImGui::Columns(2, id, true);
    const float width = contentRegionWidth();
    if (ImGui::GetColumnOffset(1) >= 0.48f * width)
        ImGui::SetColumnOffset(1, 0.15f * width);
}

} // namespace

void TimelineWidget::skipRowsAboveView() {
    ImGui::CalcListClipping(frame_.rowCount, rowPitch(), &frame_.visibleFirst, &frame_.visibleEnd);
    ImGui::SetCursorPosY(ImGui::GetCursorPosY() + static_cast<float>(frame_.visibleFirst) * rowPitch());
}

bool TimelineWidget::rowOutsideView() const {
    return frame_.rowCount > 0 && (frame_.rowIndex < frame_.visibleFirst || frame_.rowIndex >= frame_.visibleEnd);
}

namespace {

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

} // namespace

void TimelineWidget::drawHandle(int index, float values[2], bool wholeBarOnly, const RowGeometry& row, RowDrag& drag) {
    const ImVec2 centre(handleCentreX(values[index], frame_.timelineMax, row.trackLeft, row.trackWidth),
                        row.top + timelineHandleRadius);
    const float diameter = 2.0f * timelineHandleRadius;
    invisiblePart(index, ImVec2(centre.x - timelineHandleRadius, centre.y - timelineHandleRadius),
                  ImVec2(diameter, diameter));
    const bool active = ImGui::IsItemActive();
    const bool lit = active || ImGui::IsItemHovered();
    if (lit) {
        ImGui::SetTooltip("%f", static_cast<double>(values[index]));
        if (!wholeBarOnly)
            drawWindowHeightLine(centre.x, frame_.guideColour);
    }
    if (active && ImGui::IsMouseDragging(ImGuiMouseButton_Left)) {
        if (wholeBarOnly) {
            drag.moveWholeBar = true;
        } else {
            const int moved = heldHandleCrossed_ ? 1 - index : index;
            values[moved] += timelineValueDelta(ImGui::GetIO().MouseDelta.x, frame_.timelineMax, row.trackWidth);
            drag.changed = true;
            drag.handleMoved = true;
        }
    }
    handleHeldThisFrame_ |= active;
    drag.touched |= lit;
    drag.held |= active;
    ImGui::GetWindowDrawList()->AddCircleFilled(centre, timelineHandleRadius,
                                                lit ? frame_.activeColour : frame_.inactiveColour);
}

// Handles closer than two radii leave no bar to draw or grab.
void TimelineWidget::drawBar(float values[2], const RowGeometry& row, RowDrag& drag) {
    const BarExtent extent = barExtent(values, frame_.timelineMax, row.trackLeft, row.trackWidth);
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
        ImGui::GetWindowDrawList()->AddRectFilled(min, max, lit ? frame_.activeColour : frame_.inactiveColour);
    }
    if (drag.moveWholeBar) {
        const float delta = timelineValueDelta(ImGui::GetIO().MouseDelta.x, frame_.timelineMax, row.trackWidth);
        values[0] += delta;
        values[1] += delta;
        drag.changed = true;
    }
    ImGui::SetCursorScreenPos(ImVec2(row.trackLeft, row.top + rowPitch()));
}

void TimelineWidget::drawRuler(int divisions, float originX, float width) const {
    for (int i = 1; i <= divisions; ++i)
        drawWindowHeightLine(rulerLineX(i, divisions, originX, width), frame_.rulerColour);
}

void TimelineWidget::drawPlayhead(float playhead, float originX, float width) const {
    if (playhead > 0.0f && playhead < frame_.timelineMax)
        drawWindowHeightLine(timelineValueX(playhead, frame_.timelineMax, originX, width), frame_.guideColour);
}

void TimelineWidget::drawProgressStrip(float playhead, ImU32 playheadColour, ImVec2 min, float width) const {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float rounding = ImGui::GetStyle().ScrollbarRounding;
    const ImVec2 max(min.x + width, min.y + rowPitch());
    const ProgressSplit split = progressSplit(playhead, frame_.timelineMax, min.x, width);
    switch (split.fill) {
    case ProgressFill::None:
        draw->AddRectFilled(min, max, frame_.inactiveColour, rounding);
        break;
    case ProgressFill::Whole:
        draw->AddRectFilled(min, max, playheadColour, rounding);
        break;
    case ProgressFill::Split:
        draw->AddRectFilled(min, ImVec2(split.x, max.y), playheadColour, rounding,
                            ImDrawFlags_RoundCornersTopLeft | ImDrawFlags_RoundCornersBottomRight);
        draw->AddRectFilled(ImVec2(split.x, min.y), max, frame_.inactiveColour, rounding,
                            ImDrawFlags_RoundCornersTopRight | ImDrawFlags_RoundCornersBottomLeft);
        draw->AddLine(ImVec2(split.x, min.y), ImVec2(split.x, max.y), frame_.guideColour, 1.0f);
        break;
    }
}

void TimelineWidget::drawDivisionLabels(int divisions, ImVec2 stripMin, float width) const {
    for (int i = 0; i < divisions; ++i) {
        char text[32];
        const float value = static_cast<float>(i) * frame_.timelineMax / static_cast<float>(divisions);
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
        const float x = stripMin.x + width / static_cast<float>(divisions) * static_cast<float>(i);
        ImGui::GetWindowDrawList()->AddText(ImVec2(x, stripMin.y), frame_.labelColour, text);
    }
}

bool TimelineWidget::begin(const char* id, float maxValue, int visibleRows, int rowCount) {
    frame_ = Frame{};
    rowsDrawn_.clear();
    readStyleColours();
    const int rows = visibleRows > 0 ? visibleRows : 5;
    const bool visible = ImGui::BeginChild(id, ImVec2(0.0f, static_cast<float>(rows) * rowPitch()), false);
    ImGui::PushStyleColor(ImGuiCol_Separator, ImGui::GetStyleColorVec4(ImGuiCol_Border));
    setUpColumns(id);
    // Not-a-number and infinity would put every handle nowhere on the track.
    const bool usable = maxValue >= 0.0f && std::isfinite(maxValue);
    frame_.timelineMax = usable ? maxValue : 0.85f * contentRegionWidth();
    if (rowCount > 0) {
        frame_.rowCount = rowCount;
        skipRowsAboveView();
    }
    return visible;
}

bool TimelineWidget::row(const char* label, float values[2], bool wholeBarOnly) {
    frame_.rowIndex += 1;
    frame_.rowHeld = false;
    if (rowOutsideView())
        return false;

    ImGui::TextUnformatted(label);
    ImGui::NextColumn();
    const RowGeometry geometry{trackOriginX() - timelineHandleRadius, trackWidth(), ImGui::GetCursorScreenPos().y};
    rowsDrawn_.push_back({label, geometry.trackLeft, geometry.trackWidth, geometry.top, frame_.timelineMax});
    RowDrag drag;
    // Rows share their part ids otherwise, and one press would grab every row's handle.
    ImGui::PushID(frame_.rowIndex);
    drawHandle(0, values, wholeBarOnly, geometry, drag);
    drawHandle(1, values, wholeBarOnly, geometry, drag);
    drawBar(values, geometry, drag);
    ImGui::PopID();
    if (drag.handleMoved && values[0] > values[1])
        heldHandleCrossed_ = !heldHandleCrossed_;
    normaliseRange(values, frame_.timelineMax);
    if (drag.touched)
        ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeAll);
    frame_.rowHeld = drag.held;
    ImGui::NextColumn();
    return drag.changed;
}

void TimelineWidget::end(int divisions, float playheadValue, ImU32 playheadColour) {
    if (frame_.rowCount > 0)
        ImGui::SetCursorPosY(ImGui::GetCursorPosY() +
                             static_cast<float>(frame_.rowCount - frame_.visibleEnd) * rowPitch());
    ImGui::NextColumn();
    const float width = trackWidth();
    const float columnOffset = ImGui::GetColumnOffset(1);
    track_ = {trackOriginX(), width};
    if (!handleHeldThisFrame_)
        heldHandleCrossed_ = false;
    handleHeldThisFrame_ = false;
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
