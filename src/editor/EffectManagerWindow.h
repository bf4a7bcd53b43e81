// The "Effect Manager" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawEffectManager(EditorState& editor, EditorContext& context);
