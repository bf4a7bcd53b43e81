// The Shader Editor's menu bar ("Edit", "View"), its search row and its search
// keys (Ctrl+F, F3). An edit made from the menu reaches the program at once.
#pragma once

#include <cstdint>

struct EditorState;
struct ShaderEditorState;

// `now`: the clock's ticks, which time the pauses that end a typed step.
void drawShaderMenus(ShaderEditorState& state, EditorState& editor, uint32_t now);
void drawSearchRow(ShaderEditorState& state);
// Ctrl+F finds the selected text, F3 the next match; while the window has the keyboard.
void applySearchKeys(ShaderEditorState& state);
