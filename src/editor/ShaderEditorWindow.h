// The "Shader Editor" window's contents.
#pragma once

struct EditorState;
struct EditorContext;

void drawShaderEditor(EditorState& editor, EditorContext& context);
