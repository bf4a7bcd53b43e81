// The "Shader Editor" window: a program of the project chosen in the "Shader"
// combo (or asked for by the Effect Manager's "Edit"), its fragment shader in
// the code editor. Every change of the source reaches the program as a step of
// the edit history (typing while the editor keeps the keyboard is one step),
// and a change of the program from elsewhere (an undo) shows in the editor.
#pragma once

#include "codeeditor/CodeEditor.h"
#include "editor/WindowState.h"

#include <cstdint>

class ShaderProgram;
struct EditorState;
struct EditorContext;

struct ShaderEditorState : RequestableWindowState<ShaderProgram> {
    ShaderProgram* shown = nullptr;
    uint64_t shownMark = 0; // the program's edit mark when the editor last matched it
    CodeEditor code;

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawShaderEditor(EditorState& editor, EditorContext& context);
