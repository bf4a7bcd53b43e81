// The "Viewport" window: the demo composed at the clock's beat, shown as a
// picture in the window, and the free camera driven while the window has focus.
#pragma once

struct EditorState;
struct EditorContext;

void drawViewport(EditorState& editor, EditorContext& context);
