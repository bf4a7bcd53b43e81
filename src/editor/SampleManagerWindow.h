// The "Sample Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawSampleManager(EditorState& editor, EditorContext& context);
