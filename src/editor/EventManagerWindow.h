// The "Event Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawEventManager(EditorState& editor, EditorContext& context);
