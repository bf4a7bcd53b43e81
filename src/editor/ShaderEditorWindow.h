// The "Shader Editor" window's contents.
#pragma once

#include "editor/WindowState.h"

class ShaderProgram;
struct EditorState;
struct EditorContext;

// The Effect Manager's "Edit" asks for the effect's program here.
struct ShaderEditorState : RequestableWindowState<ShaderProgram> {};

void drawShaderEditor(EditorState& editor, EditorContext& context);
