// The "Event Group Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawEventGroupManager(EditorState& editor, EditorContext& context);
