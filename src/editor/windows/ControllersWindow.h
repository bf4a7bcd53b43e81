// The "Controllers" window: where MIDI and OSC arrive from, how many messages
// came, were lost or refused, and the bindings of controls to variables with
// each control's last value, an OSC control's range and a button that removes
// the binding. Nothing here changes the project.
#pragma once

struct EditorState;
struct EditorContext;

void drawControllers(EditorState& editor, EditorContext& context);
