// The "Event Manager" window: the project's events with their visibility and
// beats, filtered by name, selected, reordered, deleted and looped, and an
// inspector of the selected event: its name, its groups, what it renders or
// plays, its length and its variables.
#pragma once

#include "editor/windows/WindowState.h"
#include "editor/windows/eventmanager/VariablesEditor.h"

class Event;
struct EditorState;
struct EditorContext;

struct EventManagerState : WindowState {
    Selection<Event> events; // a row shown selected selects its event, which the inspector shows
    VariablesEditorState variables;

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawEventManager(EditorState& editor, EditorContext& context);
