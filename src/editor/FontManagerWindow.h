// The "Font Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawFontManager(EditorState& editor, EditorContext& context);
