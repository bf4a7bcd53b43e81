#include "editor/ShaderEditorWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawShaderEditor(EditorState&, EditorContext&) {}
