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
    Selection<EventGroup> groups; // a row shown selected selects its group, which the inspector shows
    char newEventName[1024] = ""; // the "Add as Event" dialog's field

    void forgetProject() override { groups.forgetProject(); }
    void forgetObject(const ObjectRef& object) override { groups.forgetObject(object); }
};

void drawEventGroupManager(EditorState& editor, EditorContext& context);
