// The main window's top row: the project file name, the transport values saved
// with the project (edited through the history), the volume, the beat, play and
// pause, 16-beat jumps, the cue and the frame rate.
#pragma once

struct EditorState;
struct EditorContext;

void drawTransportRow(EditorState& editor, EditorContext& context);
