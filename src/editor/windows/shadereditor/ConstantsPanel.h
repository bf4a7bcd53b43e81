// The Shader Editor's "Constants" panel: a slider for each annotated number of
// the shown source (and a colour editor for the first three of a line), each
// move rewriting the literal in the source, and the splitter that sizes it.
#pragma once

struct EditorState;
struct ShaderEditorState;

void drawConstantsPanel(ShaderEditorState& state, EditorState& editor);
