#include "editor/windows/eventmanager/EventManagerWindow.h"

#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Wide enough for the list's commands on one line, "Up", "Down" and a loop's "Stop" included.
constexpr float listWidth = 560.0f;

MergeKey keyOf(const char* field, const Event& event) { return {windowTitle::eventManager, field, &event}; }

// "Delete", "Up", "Down", the loop button, the count and the filter.
void drawListCommands(Selection<Event>& events, EditorState& editor, EditorContext& context) {
    Demo& demo = context.demo;
    if (ImGui::Button("Delete") && events.selected)
        removeEvent(editor.history, demo, *events.selected, context.clock.loopEvent);
    const int index = events.index;
    const int count = static_cast<int>(demo.events.size());
    if (events.selected && index > 0) {
        ImGui::SameLine();
        if (ImGui::Button("Up")) {
            swapObjects<Event>(editor.history, demo, static_cast<size_t>(index), static_cast<size_t>(index - 1));
            events.index = index - 1;
        }
    }
    if (events.selected && events.index < count - 1) {
        ImGui::SameLine();
        if (ImGui::Button("Down")) {
            const auto at = static_cast<size_t>(events.index);
            swapObjects<Event>(editor.history, demo, at, at + 1);
            ++events.index;
        }
    }
    ImGui::SameLine();
    // Looping is transport, not an edit of the project.
    BeatClock& clock = context.clock;
    if (clock.loopEvent) {
        if (ImGui::Button(("Stop " + clock.loopEvent->name).c_str()))
            clock.loopEvent = nullptr;
    } else if (ImGui::Button("Loop")) {
        clock.loopEvent = events.selected;
    }
    ImGui::SameLine();
    countLine(demo.events.size(), "Event");
    ImGui::SameLine();
    filterRow("##eventfilter", "Filter Events", events.filter);
}

// A beat typed into a field: only a finite number is taken.
bool beatField(const char* label, float& beat) {
    return ImGui::InputFloat(label, &beat, 0.125f, 1.0f, "%.3f") && std::isfinite(beat);
}

// Returns whether the row's name was clicked. A row shown selected selects its event.
bool drawEventRow(Selection<Event>& events, EditHistory& history, Event& event, int index) {
    ImGui::PushID(index);
    bool visible = event.visible;
    if (ImGui::Checkbox("##Visible", &visible))
        setField(history, event, &Event::visible, visible,
                 std::string(visible ? "Show" : "Hide") + " event \"" + event.name + "\"");
    ImGui::SameLine();
    const bool clicked = ImGui::Selectable(event.name.c_str(), index == events.index, 0, {150.0f, 16.0f});
    if (clicked || index == events.index)
        events.select(&event, index);
    ImGui::PushItemWidth(110.0f);
    ImGui::SameLine();
    float start = event.startBeat;
    if (beatField("##Start", start)) {
        // A sample event lasts one beat wherever it starts.
        const float end = event.type == AudioSampleEvent ? start + 1.0f : event.endBeat;
        moveEvent(history, event, start, end, keyOf("##Start", event));
    }
    if (event.type != AudioSampleEvent) {
        ImGui::SameLine();
        float end = event.endBeat;
        if (beatField("##End", end))
            setField(history, event, &Event::endBeat, end, "Move the end of event \"" + event.name + "\"",
                     keyOf("##End", event));
    }
    ImGui::PopItemWidth();
    ImGui::PopID();
    return clicked;
}

// Returns whether a row's name was clicked.
bool drawEventRows(Selection<Event>& events, EditHistory& history, Demo& demo) {
    bool clicked = false;
    for (size_t i = 0; i < demo.events.size(); ++i) {
        Event& event = *demo.events[i];
        if (events.lists(event))
            clicked = drawEventRow(events, history, event, static_cast<int>(i)) || clicked;
    }
    return clicked;
}

void drawGroupCombo(EditHistory& history, Demo& demo, Event& event) {
    if (!ImGui::BeginCombo("##Add to group", "Add to Group..."))
        return;
    if (ImGui::Selectable("Add to new Group...")) {
        auto group = std::make_unique<EventGroup>();
        group->name = event.name + " group";
        insertMember(*group, 0, event);
        addObject(history, demo, std::move(group));
    }
    for (size_t i = 0; i < demo.event_groups.size(); ++i) {
        EventGroup& group = *demo.event_groups[i];
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(group.name.c_str(), false))
            addMember(history, group, event);
        ImGui::PopID();
    }
    ImGui::EndCombo();
}

template <typename T> const char* nameOrNothing(const T* object) { return object ? object->name.c_str() : ""; }

void drawTransportButtons(EditorContext& context, const Event& event) {
    ImGui::SameLine();
    if (ImGui::Button("Go"))
        context.clock.seekToBeat(context.demo, event.startBeat);
    ImGui::SameLine();
    if (ImGui::Button("Cue"))
        context.clock.cueBeat = event.startBeat;
}

void drawLengthField(EditHistory& history, Event& event) {
    ImGui::SameLine();
    ImGui::PushItemWidth(110.0f);
    float length = event.endBeat - event.startBeat;
    if (ImGui::InputFloat("Length", &length, 0.125f, 1.0f, "%.3f") && std::isfinite(length))
        setField(history, event, &Event::endBeat, event.startBeat + length,
                 "Change the length of event \"" + event.name + "\"", keyOf("Length", event));
    ImGui::PopItemWidth();
    ImGui::Separator();
}

// "Edit": the window that manages `object` opens on it, when it is in the project.
template <typename T> void editButton(EditorState& editor, const Demo& demo, const T* object) {
    ImGui::SameLine();
    if (ImGui::Button("Edit") && indexOf(demo, object))
        editor.showInItsWindow(*object);
}

// A group or effect event's line: what it renders, "Edit", "Go", "Cue" and its length.
template <typename T>
void drawRenderedReference(EditorState& editor, EditorContext& context, Event& event, const char* label,
                           const T* object) {
    ImGui::Text("%s%s", label, nameOrNothing(object));
    editButton(editor, context.demo, object);
    drawTransportButtons(context, event);
    drawLengthField(editor.history, event);
}

// What the event renders or plays, with the buttons that lead there.
void drawReference(EditorState& editor, EditorContext& context, Event& event) {
    switch (event.type) {
    case EffectEvent:
        drawRenderedReference(editor, context, event, "renders Effect: ", event.effect);
        break;
    case AudioSampleEvent:
        ImGui::Text("Plays Audio Sample: %s", nameOrNothing(event.audioSample));
        editButton(editor, context.demo, event.audioSample);
        if (ImGui::Button("Play") && event.audioSample)
            context.audio.play(*event.audioSample);
        break;
    case GroupEvent:
        drawRenderedReference(editor, context, event, "renders Group: ", event.group);
        break;
    default:
        break;
    }
}

void drawInspector(EditorState& editor, EditorContext& context, Event& event, bool rowClicked) {
    ImGui::PushItemWidth(150.0f);
    ImGui::Text("%s", "Name: ");
    ImGui::SameLine();
    renameField("##event name", editor.history, context, event, windowTitle::eventManager);
    ImGui::SameLine();
    drawGroupCombo(editor.history, context.demo, event);
    ImGui::PopItemWidth();
    ImGui::Separator();
    drawReference(editor, context, event);
    // The Shader Editor's "Uniforms" dialog changes what the variables would show.
    if ((event.type == EffectEvent || event.type == GroupEvent) && !editor.shaderEditor.uniformsOpen)
        drawVariablesEditor(editor.eventManager.variables, editor, context, event, rowClicked);
}

} // namespace

void EventManagerState::forgetProject() {
    events.forgetProject();
    variables.selectedKey.clear();
}

void EventManagerState::forgetObject(const ObjectRef& object) { events.forgetObject(object); }

void drawEventManager(EditorState& editor, EditorContext& context) {
    Selection<Event>& events = editor.eventManager.events;
    events.follow(context.demo);
    ImGui::BeginChild("EventsLeft", {listWidth, 0.0f}, true);
    drawListCommands(events, editor, context);
    ImGui::BeginChild("EventSelectables", {0.0f, 0.0f}, false);
    const bool rowClicked = drawEventRows(events, editor.history, context.demo);
    ImGui::EndChild();
    ImGui::EndChild();
    ImGui::SameLine();
    ImGui::BeginChild("Control points", {0.0f, 0.0f}, true);
    if (events.selected)
        drawInspector(editor, context, *events.selected, rowClicked);
    ImGui::EndChild();
}
