#include "editor/windows/EventGroupManagerWindow.h"

#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerWidgets.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

const char* const windowTitle = "Event Group Manager";
const char* const addAsEventTitle = "Add as Event";
// How long a group event lasts that replays a group without members.
constexpr float emptyGroupLength = 64.0f;

void select(EventGroupManagerState& state, EventGroup* group, int index) {
    state.selected = group;
    state.selectedIndex = index;
}

// The row shown selected follows the selected group when an undo moved it, and
// a request from the Event Manager selects its group, wherever it stands.
void followSelection(EventGroupManagerState& state, const Demo& demo) {
    if (state.requested) {
        if (const std::optional<size_t> index = indexOf(demo, state.requested))
            state.selectedIndex = static_cast<int>(*index);
    } else if (state.selected) {
        if (const std::optional<size_t> index = indexOf(demo, state.selected))
            state.selectedIndex = static_cast<int>(*index);
        else
            select(state, nullptr, 0);
    }
}

// From the earliest member start to the latest member end.
float spanOf(const EventGroup& group) {
    std::optional<float> first;
    std::optional<float> last;
    for (const Event* member : group.events) {
        if (!member)
            continue;
        first = std::min(first.value_or(member->startBeat), member->startBeat);
        last = std::max(last.value_or(member->endBeat), member->endBeat);
    }
    return first ? *last - *first : emptyGroupLength;
}

void drawAddAsEvent(EventGroupManagerState& state, EditHistory& history, Demo& demo, EventGroup& group) {
    if (newEventDialog(addAsEventTitle, "Event name", state.newEventName, sizeof state.newEventName)) {
        addEventFor(history, demo, group, state.newEventName, spanOf(group));
        state.newEventName[0] = '\0';
    }
    if (ImGui::Button(addAsEventTitle))
        ImGui::OpenPopup(addAsEventTitle);
}

void drawGroupList(EventGroupManagerState& state, Demo& demo) {
    ImGui::BeginChild("Selectables", {150.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    for (size_t i = 0; i < demo.event_groups.size(); ++i) {
        EventGroup& group = *demo.event_groups[i];
        const int index = static_cast<int>(i);
        ImGui::PushID(index);
        if (ImGui::Selectable(group.name.c_str(), index == state.selectedIndex) || index == state.selectedIndex)
            select(state, &group, index);
        ImGui::PopID();
    }
    state.requested = nullptr;
    ImGui::EndChild();
}

void drawInspector(EditHistory& history, EditorContext& context, EventGroup& group) {
    ImGui::Text("%s", "Name");
    ImGui::SameLine();
    renameField("##group name", history, context, group, windowTitle);
    ImGui::Separator();
    const int count = static_cast<int>(group.events.size());
    ImGui::Text("%d Event%s", count, count == 1 ? "" : "s");
    std::optional<size_t> removed;
    for (size_t i = 0; i < group.events.size(); ++i) {
        const Event* member = group.events[i];
        ImGui::PushID(static_cast<int>(i));
        ImGui::Selectable(member ? member->name.c_str() : "", false, 0, {150.0f, 16.0f});
        ImGui::SameLine();
        if (ImGui::Button("Delete"))
            removed = i;
        ImGui::PopID();
    }
    if (removed)
        removeMember(history, group, *removed);
}

} // namespace

void EventGroupManagerState::forgetProject() {
    select(*this, nullptr, 0);
    requested = nullptr;
}

void EventGroupManagerState::forgetObject(const ObjectRef& object) {
    if (refersTo(object, selected))
        select(*this, nullptr, 0);
    if (refersTo(object, requested))
        requested = nullptr;
}

void drawEventGroupManager(EditorState& editor, EditorContext& context) {
    EventGroupManagerState& state = editor.eventGroupManager;
    Demo& demo = context.demo;
    followSelection(state, demo);
    if (ImGui::Button("Delete") && state.selected)
        removeObject(editor.history, demo, *state.selected);
    ImGui::SameLine();
    const int count = static_cast<int>(demo.event_groups.size());
    ImGui::Text("%d Group%s", count, count == 1 ? "" : "s");
    if (state.selected) {
        ImGui::SameLine();
        drawAddAsEvent(state, editor.history, demo, *state.selected);
    }
    drawGroupList(state, demo);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.selected)
        drawInspector(editor.history, context, *state.selected);
    ImGui::EndChild();
}
