// The "Event Group Manager" window: the project's event groups, deleted and
// renamed, their members taken out, and the selected group placed on the
// timeline as a new group event ("Add as Event"). Groups are made and filled
// from the Event Manager.
#pragma once

#include "editor/windows/WindowState.h"

class EventGroup;
struct EditorState;
struct EditorContext;

struct EventGroupManagerState : WindowState {
    int selectedIndex = 0;                 // the row shown selected; a row shown selected selects its group
    EventGroup* selected = nullptr;        // what the inspector shows
    const EventGroup* requested = nullptr; // to select at the next draw (the Event Manager's "Edit")
    char newEventName[1024] = "";          // the "Add as Event" dialog's field

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawEventGroupManager(EditorState& editor, EditorContext& context);
