// The "Texture Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawTextureManager(EditorState& editor, EditorContext& context);
