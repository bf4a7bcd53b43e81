#include "editor/windows/EventGroupManagerWindow.h"

#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

const char* const addAsEventTitle = "Add as Event";
// How long a group event lasts that replays a group without members.
constexpr float emptyGroupLength = 64.0f;

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
    if (newEventButton(addAsEventTitle, addAsEventTitle, "Event name", state.newEventName, sizeof state.newEventName)) {
        addEventFor(history, demo, group, state.newEventName, spanOf(group));
        state.newEventName[0] = '\0';
    }
}

// A row shown selected selects its group.
void drawGroupList(Selection<EventGroup>& groups, Demo& demo) {
    ImGui::BeginChild("Selectables", {150.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    for (size_t i = 0; i < demo.event_groups.size(); ++i) {
        EventGroup& group = *demo.event_groups[i];
        const int index = static_cast<int>(i);
        ImGui::PushID(index);
        if (ImGui::Selectable(group.name.c_str(), index == groups.index) || index == groups.index)
            groups.select(&group, index);
        ImGui::PopID();
    }
    ImGui::EndChild();
}

void drawInspector(EditHistory& history, EditorContext& context, EventGroup& group) {
    ImGui::Text("%s", "Name");
    ImGui::SameLine();
    renameField("##group name", history, context, group, windowTitle::eventGroupManager);
    ImGui::Separator();
    countLine(group.events.size(), "Event");
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

void drawEventGroupManager(EditorState& editor, EditorContext& context) {
    EventGroupManagerState& state = editor.eventGroupManager;
    Selection<EventGroup>& groups = state.groups;
    Demo& demo = context.demo;
    groups.follow(demo);
    if (ImGui::Button("Delete") && groups.selected)
        removeObject(editor.history, demo, *groups.selected);
    ImGui::SameLine();
    countLine(demo.event_groups.size(), "Group");
    if (groups.selected) {
        ImGui::SameLine();
        drawAddAsEvent(state, editor.history, demo, *groups.selected);
    }
    drawGroupList(groups, demo);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (groups.selected)
        drawInspector(editor.history, context, *groups.selected);
    ImGui::EndChild();
}
