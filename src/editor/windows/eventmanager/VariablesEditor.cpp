// Sections: the frame's state and the curves rows show; number rows; text
// rows; plots, drawn last so they show this frame's edits; the value point
// editor; the text point editor; the editor.
#include "editor/windows/eventmanager/VariablesEditor.h"

#include "editor/edits/CurveEdits.h"
#include "editor/edits/CurveFiles.h"
#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ToolWindows.h"
#include "editor/windows/eventmanager/VariableRows.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// The frame's state and the curves rows show
// ---------------------------------------------------------------------------

// Columns of a row: the automate button, the current value, the slider or plot.
constexpr float automateX = 166.0f;
constexpr float valueX = 182.0f;
constexpr float controlsX = 234.0f;
constexpr float learnWidth = 64.0f; // the Learn button at a number row's right end
constexpr float constantRowHeight = 20.0f;
constexpr float curveRowHeight = 64.0f;

// A plot's place, drawn once the point editor has made this frame's edits.
struct PendingPlot {
    const VariableRow* row;
    ImVec2 place;
};

struct Frame {
    VariablesEditorState& state;
    EditorState& editor;
    EditorContext& context;
    Event& event;
    float controlsWidth = 0.0f; // right of the controls column, measured once
    std::vector<PendingPlot> plots = {};
};

float localBeat(const Frame& frame) { return frame.context.clock.currentBeat - frame.event.startBeat; }

MergeKey keyOf(const Frame& frame, const char* field, const std::string& variable, size_t point = 0) {
    return {windowTitle::eventManager, std::string(field) + "/" + variable + "/" + std::to_string(point), &frame.event};
}

void store(Frame& frame, const std::string& key, std::optional<ControlPointList> list, const std::string& what,
           MergeKey mergeKey = {}) {
    setVariable(frame.editor.history, frame.event, key, std::move(list), what + " \"" + key + "\"",
                std::move(mergeKey));
}

// A group event's row is editable once the event overrides it.
bool enabled(const Frame& frame, const VariableRow& row) {
    return !row.member || frame.event.variables.contains(row.key);
}

// What a row's curve is: the event's own, or while a group event does not
// override it, the member's.
const ControlPointList* curveOf(const Frame& frame, const VariableRow& row) {
    if (enabled(frame, row))
        return frame.event.findVariable(row.key);
    return row.member->findVariable(row.memberKey);
}

ControlPointList shownNumbers(const Frame& frame, const VariableRow& row) {
    return shownCurve(curveOf(frame, row), row.uniform->defaultVal);
}

void select(Frame& frame, const VariableRow& row) { frame.state.selectedKey = row.key; }

// A group event's tick box: ticking copies the member's curve, unticking drops the override.
void overrideBox(Frame& frame, const VariableRow& row, const char* label) {
    if (!row.member)
        return;
    bool overridden = frame.event.variables.contains(row.key);
    if (ImGui::Checkbox(label, &overridden)) {
        const ControlPointList* own = row.member->findVariable(row.memberKey);
        if (overridden)
            store(frame, row.key, own ? *own : ControlPointList(), "Override");
        else
            store(frame, row.key, std::nullopt, "Stop overriding");
        if (overridden && row.isText())
            select(frame, row);
    }
    ImGui::SameLine();
}

// ---------------------------------------------------------------------------
// Number rows
// ---------------------------------------------------------------------------

void drawConstantControls(Frame& frame, const VariableRow& row, const ControlPointList& shown) {
    const UniformDef& uniform = *row.uniform;
    ImGui::SameLine(automateX);
    if (ImGui::Button("Automate")) {
        store(frame, row.key, automated(shown, localBeat(frame), uniform.defaultVal), "Automate");
        select(frame, row);
    }
    ImGui::SameLine(controlsX);
    ImGui::SetNextItemWidth(frame.controlsWidth);
    // While a control moves the variable, the slider shows where it holds it.
    float value =
        frame.editor.controllers.heldValue(frame.event, row.key, uniform).value_or(shown.points.front().value);
    if (ImGui::SliderFloat("##Value1", &value, uniform.minVal, uniform.maxVal, "%.3f"))
        store(frame, row.key, constantCurve(value, shown.mode, shown.repeat), "Change",
              keyOf(frame, "##Value1", row.key));
}

// Binds the next control that moves to the row's variable: orange while it
// waits, green once a control moves it.
void learnButton(Frame& frame, const VariableRow& row) {
    ControllerDesk& desk = frame.editor.controllers;
    const ControllerDesk::Target target{frame.event.name, row.key};
    const ControllerBinding* bound = desk.bindingOf(target);
    const bool waiting = desk.learning(target);
    const int colours = waiting || bound ? 1 : 0;
    if (waiting)
        ImGui::PushStyleColor(ImGuiCol_Button, IM_COL32(190, 110, 20, 255));
    else if (bound)
        ImGui::PushStyleColor(ImGuiCol_Button, IM_COL32(40, 130, 70, 255));
    ImGui::SameLine(controlsX + frame.controlsWidth + ImGui::GetStyle().ItemSpacing.x);
    if (ImGui::Button("Learn", {learnWidth, 0.0f})) {
        desk.toggleLearning(target);
        if (desk.learning(target))
            frame.context.status.set("Learn: move a control for \"" + target.event + "\" " + target.variable);
    }
    ImGui::PopStyleColor(colours);
    if (!ImGui::IsItemHovered())
        return;
    if (waiting)
        ImGui::SetTooltip("Waiting for a control to move; press again to stop");
    else if (bound)
        ImGui::SetTooltip("%s moves it; press to bind another control", controlName(bound->source).c_str());
    else
        ImGui::SetTooltip("Press, then move a MIDI or OSC control to bind it");
}

void drawNumberRow(Frame& frame, const VariableRow& row, int id) {
    ImGui::PushID(id);
    overrideBox(frame, row, "##override1");
    const ControlPointList shown = shownNumbers(frame, row);
    const bool constant = shown.points.size() <= 1;
    const ImVec2 size{row.member ? 125.0f : 150.0f, constant ? constantRowHeight : curveRowHeight};
    if (ImGui::Selectable(row.key.c_str(), frame.state.selectedKey == row.key, 0, size))
        select(frame, row);
    ImGui::BeginDisabled(!enabled(frame, row));
    if (constant) {
        drawConstantControls(frame, row, shown);
    } else {
        // While a control moves the variable, the value it holds it at.
        const std::optional<float> held = frame.editor.controllers.heldValue(frame.event, row.key, *row.uniform);
        ImGui::SameLine(valueX);
        ImGui::Text("%.3f",
                    static_cast<double>(held.value_or(frame.event.evaluate(shown, frame.context.clock.currentBeat))));
        ImGui::SameLine(controlsX);
        frame.plots.push_back({&row, ImGui::GetCursorScreenPos()});
        // The plot's place, held to scrub: the playhead follows the pointer.
        ImGui::InvisibleButton("##plot", {frame.controlsWidth, curveRowHeight});
        if (ImGui::IsItemActive())
            frame.context.clock.seekToBeat(
                frame.context.demo,
                plotBeat(frame.event, ImGui::GetIO().MousePos.x, frame.plots.back().place.x, frame.controlsWidth));
    }
    learnButton(frame, row);
    ImGui::EndDisabled();
    ImGui::PopID();
}

// ---------------------------------------------------------------------------
// Text rows
// ---------------------------------------------------------------------------

void drawTextRow(Frame& frame, const VariableRow& row, int id) {
    ImGui::PushID(id);
    overrideBox(frame, row, "##override2");
    if (ImGui::Selectable(row.key.c_str(), frame.state.selectedKey == row.key))
        select(frame, row);
    ImGui::PopID();
}

// ---------------------------------------------------------------------------
// Plots, drawn last so they show this frame's edits
// ---------------------------------------------------------------------------

void drawPlots(Frame& frame, float rowsBottom) {
    if (frame.plots.empty())
        return;
    const ImVec2 resume = ImGui::GetCursorScreenPos();
    const ImVec2 size{frame.controlsWidth, curveRowHeight};
    for (const PendingPlot& plot : frame.plots) {
        const VariableRow& row = *plot.row;
        const auto samples = curveSamples(frame.event, shownNumbers(frame, row));
        ImGui::SetCursorScreenPos(plot.place);
        ImGui::BeginDisabled(!enabled(frame, row));
        ImGui::PlotLines("##curve", samples.data(), static_cast<int>(samples.size()), 0, nullptr, row.uniform->minVal,
                         row.uniform->maxVal, size);
        ImGui::EndDisabled();
    }
    const Event& event = frame.event;
    const float beat = frame.context.clock.currentBeat;
    if (beat >= event.startBeat && beat <= event.endBeat && event.endBeat > event.startBeat) {
        const float left = frame.plots.front().place.x;
        const float x = plotX(event, beat, left, size.x);
        ImGui::GetWindowDrawList()->AddLine({x, frame.plots.front().place.y}, {x, rowsBottom},
                                            IM_COL32(255, 255, 255, 255), 2.0f);
    }
    ImGui::SetCursorScreenPos(resume);
}

// ---------------------------------------------------------------------------
// The point editors' shared parts
// ---------------------------------------------------------------------------

// The list the point editor works on; each change is stored at once and kept
// here for the widgets after it.
struct PointEditor {
    Frame& frame;
    const VariableRow& row;
    ControlPointList list;
    float width;
    bool stored; // the event holds the variable; a text not given yet is created by its first point

    void change(ControlPointList changed, const char* what, MergeKey mergeKey = {}) {
        if (!stored && changed.points.empty())
            return;
        list = std::move(changed);
        stored = true;
        store(frame, row.key, list, what, std::move(mergeKey));
    }
    void setPoint(size_t index, const ControlPoint& point, const char* field) {
        ControlPointList changed = list;
        changed.points[index] = point;
        change(std::move(changed), "Change a point of", keyOf(frame, field, row.key, index));
    }
    // After the points: the one whose "Delete" was pressed goes, and "Add"
    // appends one at the playhead.
    void deleteAndAdd(std::optional<size_t> deleted) {
        if (deleted)
            change(withoutPoint(list, *deleted, !row.isText()), "Delete a point of");
        if (!ImGui::Button("Add##controlpoint"))
            return;
        ControlPointList changed = list;
        changed.points.push_back({localBeat(frame), row.isText() ? 0.0f : addedPointValue(list, *row.uniform), ""});
        change(std::move(changed), "Add a point to");
    }
};

void fileButtons(PointEditor& editor) {
    ImGui::SameLine();
    StatusLine& status = editor.frame.context.status;
    if (ImGui::Button("Export"))
        status.set(exportCurve(editor.list, editor.row.key, editor.row.isText()));
    ImGui::SameLine();
    if (ImGui::Button("Import")) {
        ImportedCurve imported = importCurve(editor.list, editor.row.key, editor.row.isText());
        status.set(std::move(imported.message));
        if (imported.list)
            editor.change(std::move(*imported.list), "Import");
    }
}

// "Go", the beat field and "Current" of point `index`.
void pointBeatControls(PointEditor& editor, size_t index, const char* beatField) {
    Frame& frame = editor.frame;
    ControlPoint point = editor.list.points[index];
    if (ImGui::Button("Go"))
        frame.context.clock.seekToBeat(frame.context.demo, point.beat + frame.event.startBeat);
    ImGui::SameLine();
    ImGui::SetNextItemWidth(150.0f);
    if (ImGui::InputFloat(beatField, &point.beat, 0.125f, 1.0f, "%.3f") && std::isfinite(point.beat))
        editor.setPoint(index, point, beatField);
    ImGui::SameLine();
    if (ImGui::Button("Current")) {
        point.beat = localBeat(frame);
        editor.setPoint(index, point, beatField);
    }
}

// ---------------------------------------------------------------------------
// The value point editor
// ---------------------------------------------------------------------------

const char* const modeLabels[] = {"Last value", "Linear", "Smooth"};

void modeCombo(PointEditor& editor) {
    const int32_t mode = editor.list.mode;
    const bool known = mode >= LastValue && mode <= Smooth;
    ImGui::SetNextItemWidth(150.0f);
    if (!ImGui::BeginCombo("Mode", known ? modeLabels[mode] : ""))
        return;
    for (int32_t choice = LastValue; choice <= Smooth; ++choice) {
        if (ImGui::Selectable(modeLabels[choice], choice == mode) && choice != mode) {
            ControlPointList changed = editor.list;
            changed.mode = choice;
            editor.change(std::move(changed), "Change the mode of");
        }
    }
    ImGui::EndCombo();
}

void drawValuePointEditor(PointEditor& editor) {
    const UniformDef& uniform = *editor.row.uniform;
    ImGui::Separator();
    ImGui::Text("%i control points (Beat & Value)", static_cast<int>(editor.list.points.size()));
    modeCombo(editor);
    ImGui::SameLine();
    bool repeat = editor.list.repeat;
    if (ImGui::Checkbox("Repeat", &repeat)) {
        ControlPointList changed = editor.list;
        changed.repeat = repeat;
        editor.change(std::move(changed), "Change the repeat of");
    }
    ImGui::SameLine();
    if (ImGui::Button("Sort"))
        editor.change(sortedByBeat(editor.list), "Sort");
    fileButtons(editor);

    std::optional<size_t> deleted;
    for (size_t j = 0; j < editor.list.points.size(); ++j) {
        ImGui::PushID(static_cast<int>(j));
        pointBeatControls(editor, j, "##Beat2");
        ImGui::SameLine();
        ImGui::SetNextItemWidth(editor.width - 150.0f);
        ControlPoint point = editor.list.points[j];
        if (ImGui::SliderFloat("##Value2", &point.value, uniform.minVal, uniform.maxVal, "%.3f"))
            editor.setPoint(j, point, "##Value2");
        ImGui::SameLine();
        if (ImGui::Button("Delete"))
            deleted = j;
        ImGui::PopID();
    }
    editor.deleteAndAdd(deleted);
}

// ---------------------------------------------------------------------------
// The text point editor
// ---------------------------------------------------------------------------

void scaleButton(PointEditor& editor, const char* label, float factor) {
    ImGui::SameLine();
    if (!ImGui::Button(label))
        return;
    if (std::isfinite(factor) && factor != 0.0f)
        editor.change(scaledBeats(editor.list, factor), "Scale the beats of");
    else
        editor.frame.context.status.set("The multiplier must be a number other than 0");
}

void drawTextPointEditor(PointEditor& editor) {
    Frame& frame = editor.frame;
    ImGui::Separator();
    ImGui::Text("%i control points (Beat & Text)", static_cast<int>(editor.list.points.size()));
    if (ImGui::Button("Sort"))
        editor.change(sortedByBeat(editor.list), "Sort");
    fileButtons(editor);
    ImGui::SameLine();
    ImGui::SetNextItemWidth(32.0f);
    float& multiplier = frame.state.multiplier;
    ImGui::InputFloat("##multiplier", &multiplier, 0.0f, 0.0f, "%.3f");
    scaleButton(editor, "*", multiplier);
    scaleButton(editor, "/", 1.0f / multiplier);

    std::optional<size_t> deleted;
    for (size_t j = 0; j < editor.list.points.size(); ++j) {
        ImGui::PushID(static_cast<int>(j));
        pointBeatControls(editor, j, "##Beat3");
        ImGui::SameLine();
        ControlPoint point = editor.list.points[j];
        // Three lines: room for a short sequence's line breaks without pushing the next points away.
        const float height = ImGui::GetTextLineHeight() * 3.0f + ImGui::GetStyle().FramePadding.y * 2.0f;
        if (ImGui::InputTextMultiline("##currentvalue", &point.text, {editor.width - 150.0f, height}))
            editor.setPoint(j, point, "##currentvalue");
        if (ImGui::Button("Delete"))
            deleted = j;
        ImGui::PopID();
    }
    editor.deleteAndAdd(deleted);
}

// ---------------------------------------------------------------------------
// The editor
// ---------------------------------------------------------------------------

void drawPointEditor(Frame& frame, const std::vector<VariableRow>& rows) {
    for (const VariableRow& row : rows) {
        if (row.key != frame.state.selectedKey || !enabled(frame, row))
            continue;
        const ControlPointList* stored = frame.event.findVariable(row.key);
        const float width = frame.controlsWidth + learnWidth + ImGui::GetStyle().ItemSpacing.x;
        PointEditor editor{frame, row, stored ? *stored : ControlPointList(), width, stored != nullptr};
        if (row.isText())
            drawTextPointEditor(editor);
        else if (editor.list.points.size() >= 2)
            drawValuePointEditor(editor);
        return;
    }
}

} // namespace

void drawVariablesEditor(VariablesEditorState& state, EditorState& editor, EditorContext& context, Event& event,
                         bool rowClicked) {
    if (rowClicked)
        state.selectedKey.clear();
    const std::vector<VariableRow> rows = variableRows(event);
    Frame frame{state, editor, context, event};
    frame.controlsWidth = std::max(ImGui::GetContentRegionAvail().x - (controlsX - ImGui::GetCursorPosX()) -
                                       learnWidth - ImGui::GetStyle().ItemSpacing.x,
                                   64.0f);
    ImGui::Text("%i variables", variableCount(event, rows));
    ImGui::Separator();
    int numberId = 0;
    int textId = 0;
    // Each effect's number rows, then its text rows: the order variableRows gives.
    for (const VariableRow& row : rows) {
        if (row.isText())
            drawTextRow(frame, row, textId++);
        else
            drawNumberRow(frame, row, numberId++);
    }
    const float rowsBottom = ImGui::GetCursorScreenPos().y;
    drawPointEditor(frame, rows);
    drawPlots(frame, rowsBottom);
}
