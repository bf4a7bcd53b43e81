// The lower part of the Event Manager's inspector: every variable the selected
// effect or group event can drive, a number as a constant with a slider or as
// a curve with its plot, a text as a row to select; a group event's rows are
// its members' variables, which it may override. Below them, the point editor
// of the selected variable. Looking changes nothing: a variable is stored the
// first time the author changes it.
#pragma once

#include <string>

class Event;
struct EditorState;
struct EditorContext;

struct VariablesEditorState {
    std::string selectedKey; // the selected row's key; empty when none
    float multiplier = 1.0f; // the text point editor's "*" and "/"
};

// `rowClicked`: a row of the Event Manager's list was clicked this frame,
// which drops the selection.
void drawVariablesEditor(VariablesEditorState& state, EditorState& editor, EditorContext& context, Event& event,
                         bool rowClicked);
