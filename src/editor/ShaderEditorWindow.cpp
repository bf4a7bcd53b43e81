#include "editor/ShaderEditorWindow.h"

#include "editor/EditorState.h"
#include "editor/ManagerWidgets.h"

#include <imgui.h>

namespace {

const char* const windowTitle = "Shader Editor";

void show(ShaderEditorState& state, ShaderProgram* program) {
    state.shown = program;
    state.shownMark = 0;
}

void drawShaderChoice(ShaderEditorState& state, Demo& demo) {
    const char* shown = state.shown ? state.shown->fragmentShaderFilename.c_str() : "";
    if (!ImGui::BeginCombo("Shader", shown))
        return;
    for (size_t i = 0; i < demo.shaders.size(); ++i) {
        ShaderProgram* program = demo.shaders[i].get();
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(program->fragmentShaderFilename.c_str(), program == state.shown))
            show(state, program);
        ImGui::PopID();
    }
    ImGui::EndCombo();
}

} // namespace

void ShaderEditorState::forgetProject() {
    RequestableWindowState<ShaderProgram>::forgetProject();
    show(*this, nullptr);
}

void ShaderEditorState::forgetObject(const ObjectRef& object) {
    RequestableWindowState<ShaderProgram>::forgetObject(object);
    if (refersTo(object, shown))
        show(*this, nullptr);
}

void drawShaderEditor(EditorState& editor, EditorContext& context) {
    ShaderEditorState& state = editor.shaderEditor;
    Demo& demo = context.demo;
    if (ShaderProgram* requested = findObject(demo, state.requested))
        show(state, requested);
    state.requested = nullptr;
    if (!state.shown && !demo.shaders.empty())
        show(state, demo.shaders.front().get());
    drawShaderChoice(state, demo);
    if (!state.shown)
        return;
    ShaderProgram& program = *state.shown;
    if (program.edits.value() != state.shownMark) {
        state.code.setText(program.fragmentShaderSource, state.shownMark == 0);
        state.shownMark = program.edits.value();
    }
    state.code.draw();
    editor.codeEditorHasKeyboard = state.code.hasKeyboard();
    if (state.code.textChanged()) {
        setField(editor.history, program, &ShaderProgram::fragmentShaderSource, state.code.text(),
                 "Edit " + program.fragmentShaderFilename, MergeKey{windowTitle, "source", &program});
        state.shownMark = program.edits.value();
    }
}
