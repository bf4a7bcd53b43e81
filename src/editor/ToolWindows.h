// The editor's tool windows: each open while its flag is set, with the flag as
// its close button, placed by the arranged layout or given a size on first use.
#pragma once

struct EditorState;
struct EditorContext;

void drawToolWindows(EditorState& editor, EditorContext& context);
