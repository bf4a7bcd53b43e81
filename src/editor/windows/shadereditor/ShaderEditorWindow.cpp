#include "editor/windows/shadereditor/ShaderEditorWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ToolWindows.h"
#include "editor/windows/shadereditor/CompileLog.h"
#include "editor/windows/shadereditor/ConstantsPanel.h"
#include "editor/windows/shadereditor/ShaderEditorMenus.h"
#include "project/FileIo.h"
#include "project/ResourceFiles.h"

#include <imgui.h>

#include <cstdio>

namespace {

const char* const filenameTitle = "Edit fragment shader filename";
const char* const uniformsTitle = "Uniforms";
// A pause this long in typing ends the source's step.
constexpr uint32_t typingPauseMs = 1000;
// How often the shown program's file is looked at for changes made elsewhere.
constexpr uint32_t fileCheckMs = 500;

const char* const shaderToyHeader = "#version 150\n"
                                    "#define mainImage(X,Y) main()\n"
                                    "#define iResolution resolution\n"
                                    "#define iTime beat\n"
                                    "#define fragCoord (gl_FragCoord.xy)\n"
                                    "#define iChannel0 tex\n"
                                    "#define iChannel1 tex1\n"
                                    "#define iChannel2 tex2\n"
                                    "#define iChannel3 tex3\n"
                                    "uniform int sound;\n"
                                    "uniform float beat;\n"
                                    "uniform sampler2D tex;\n"
                                    "uniform vec2 resolution;\n"
                                    "vec2 iMouse = vec2(0., 0.);\n"
                                    "out vec4 fragColor;\n"
                                    "\n";

// When the file was last written; the epoch when it cannot be read.
std::filesystem::file_time_type writeTimeOf(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    return error ? std::filesystem::file_time_type() : time;
}

void show(ShaderEditorState& state, ShaderProgram* program) {
    state.shown = program;
    state.shownMark = 0;
    state.matches.clear();
    state.run.reset();
    if (program) {
        state.fileTime = writeTimeOf(program->fragmentShaderFilename);
        state.savedMark = program->edits.value();
    }
}

// The shown program's file holds its source as it is now.
void noteFileHoldsSource(ShaderEditorState& state) {
    state.savedMark = state.shown->edits.value();
    state.fileTime = writeTimeOf(state.shown->fragmentShaderFilename);
}

// With "Auto-recompile" off the shown program draws as last compiled with "Compile".
void holdShownProgram(const ShaderEditorState& state, EditorContext& context) {
    context.render.holdProgram(state.autoRecompile ? nullptr : state.shown);
}

void installLanguage(ShaderEditorState& state) {
    LanguageDefinition glsl = LanguageDefinition::glsl();
    for (const char* word : {"mat2", "mat3", "mat4", "vec2", "vec3", "vec4", "sampler2D", "sampler3D", "in", "out",
                             "inout", "varying", "uniform"})
        glsl.keywords.insert(word);
    state.code.setLanguage(glsl);
    state.languageInstalled = true;
}

// The program's source into the editor, when the program changed since the editor last matched it.
void followProgram(ShaderEditorState& state, const ShaderProgram& program) {
    if (program.edits.value() == state.shownMark)
        return;
    const TextPosition cursor = state.code.model().cursor();
    const bool newProgram = state.shownMark == 0;
    state.code.setText(program.fragmentShaderSource, newProgram);
    if (!newProgram)
        state.code.model().setCursor(cursor);
    state.shownMark = program.edits.value();
    state.constantsDirty = !state.constants.empty();
}

} // namespace

void storeEditorText(ShaderEditorState& state, EditorState& editor, uint32_t now) {
    ShaderProgram& program = *state.shown;
    const size_t codeSteps = state.code.model().undoStepCount();
    if (now - state.lastEditTicks > typingPauseMs || codeSteps != state.codeSteps)
        editor.history.endGesture();
    state.lastEditTicks = now;
    state.codeSteps = codeSteps;
    setShaderSource(editor.history, program, state.code.text(), "Edit " + program.fragmentShaderFilename,
                    MergeKey{windowTitle::shaderEditor, "source", &program}, state.run);
    state.shownMark = program.edits.value();
    state.constantsDirty = !state.constants.empty();
}

namespace {

void drawShaderChoice(ShaderEditorState& state, Demo& demo) {
    if (!ImGui::BeginCombo("Shader", state.shown->fragmentShaderFilename.c_str()))
        return;
    for (size_t i = 0; i < demo.shaders.size(); ++i) {
        ShaderProgram* program = demo.shaders[i].get();
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(program->fragmentShaderFilename.c_str(), program == state.shown))
            show(state, program);
        if (program == state.shown)
            ImGui::SetItemDefaultFocus();
        ImGui::PopID();
    }
    ImGui::EndCombo();
}

void drawFilenameDialog(ShaderEditorState& state, EditHistory& history, EditorContext& context) {
    if (!ImGui::BeginPopupModal(filenameTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    if (state.filenameBuffer[0] == '\0')
        std::snprintf(state.filenameBuffer, sizeof state.filenameBuffer, "%s",
                      state.shown->fragmentShaderFilename.c_str());
    ImGui::InputText("Filename", state.filenameBuffer, sizeof state.filenameBuffer);
    if (ImGui::Button("OK", {120.0f, 0.0f})) {
        if (std::optional<std::string> refused =
                renameObject(history, context.demo, *state.shown, std::string(state.filenameBuffer)))
            context.status.set(*refused);
        state.fileTime = writeTimeOf(state.shown->fragmentShaderFilename); // another file now
        state.filenameBuffer[0] = '\0';
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel", {120.0f, 0.0f})) {
        state.filenameBuffer[0] = '\0';
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

// After a delete the neighbour below shows, or the one above at the end.
ShaderProgram* neighbourOf(const Demo& demo, const ShaderProgram& program) {
    const size_t index = *indexOf(demo, &program);
    if (index + 1 < demo.shaders.size())
        return demo.shaders[index + 1].get();
    return index > 0 ? demo.shaders[index - 1].get() : nullptr;
}

// A source file of the program, when it lies in the working folder and can be read.
std::optional<std::string> readSource(const std::string& path) {
    return isInsideWorkingDirectory(path) ? tryReadWholeFile(path) : std::nullopt;
}

// The program's sources from their files, as one step; a vertex file that
// cannot be read leaves the vertex source as it is. Returns whether it loaded.
bool loadFromFiles(ShaderEditorState& state, EditorState& editor, EditorContext& context) {
    ShaderProgram& program = *state.shown;
    const std::string& vertexFile = program.vertexShaderFilename;
    const std::string& fragmentFile = program.fragmentShaderFilename;
    const std::optional<std::string> fragment = readSource(fragmentFile);
    if (!fragment) {
        context.status.set(fragmentFile + " not found: the source stays");
        return false;
    }
    const std::optional<std::string> vertex = readSource(vertexFile);
    editor.history.endGesture();
    state.run.reset();
    setShaderSources(editor.history, program, vertex.value_or(program.vertexShaderSource), *fragment,
                     "Load " + fragmentFile);
    noteFileHoldsSource(state);
    context.status.set(vertex ? "Loaded " + vertexFile + " and " + fragmentFile
                              : fragmentFile + " loaded; " + vertexFile + " not found: the vertex source stays");
    return true;
}

// A source that replaced the shown one whole ("Load", the ShaderToy header)
// shows from its top with no matches of the old text, and its log tells of it
// at once, compiled whether or not "Auto-recompile" is on.
void showReplacedSource(ShaderEditorState& state, EditorContext& context) {
    state.shownMark = 0;
    state.matches.clear();
    context.render.compileForLog(*state.shown);
}

// Another program saved the shown program's file: it is loaded, unless the
// editor holds edits of its own not yet saved. Our own writes of the file
// (Save, a project saved in its project form) are noted as they happen.
void watchFile(ShaderEditorState& state, EditorState& editor, EditorContext& context) {
    const uint32_t now = context.clock.ticks();
    if (now - state.lastFileCheck < fileCheckMs)
        return;
    state.lastFileCheck = now;
    const ShaderProgram& program = *state.shown;
    const auto time = writeTimeOf(program.fragmentShaderFilename);
    if (time == state.fileTime)
        return;
    state.fileTime = time;
    if (program.edits.value() != state.savedMark)
        context.status.set(program.fragmentShaderFilename + " changed on disk; not loaded over unsaved edits");
    else if (time != std::filesystem::file_time_type() && loadFromFiles(state, editor, context))
        context.render.compileForLog(program); // the view stays where the author looks
}

// "Save": both sources to their files, inside the working folder, never half written.
void saveToFiles(ShaderEditorState& state, const ShaderProgram& program, EditorContext& context) {
    const auto bytesOf = [](const std::string& text) {
        return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    };
    const std::vector<WriteFailure> failures =
        writeResourceFiles({{program.vertexShaderFilename, bytesOf(program.vertexShaderSource)},
                            {program.fragmentShaderFilename, bytesOf(program.fragmentShaderSource)}});
    if (failures.empty()) {
        context.status.set("Saved " + program.vertexShaderFilename + " and " + program.fragmentShaderFilename);
        noteFileHoldsSource(state);
    } else {
        context.status.set(failures.front().path + " not saved: " + failures.front().reason);
    }
}

void drawCommands(ShaderEditorState& state, EditorState& editor, EditorContext& context) {
    Demo& demo = context.demo;
    if (ImGui::Button("New")) {
        editor.history.endGesture();
        show(state, &addObject(editor.history, demo, std::make_unique<ShaderProgram>()));
    }
    if (!state.shown)
        return;
    ImGui::SameLine();
    if (ImGui::Button("Delete")) {
        ShaderProgram* next = neighbourOf(demo, *state.shown);
        removeObject(editor.history, demo, *state.shown); // the removal hook forgets it here
        show(state, next);
        return;
    }
    ImGui::SameLine();
    ImGui::Checkbox("Auto-recompile", &state.autoRecompile);
    if (!state.autoRecompile) {
        ImGui::SameLine();
        if (ImGui::Button("Compile")) {
            context.render.holdProgram(nullptr);
            context.render.program(*state.shown);
        }
    }
    ImGui::SameLine();
    if (ImGui::Button("Load") && loadFromFiles(state, editor, context))
        showReplacedSource(state, context);
    ImGui::SameLine();
    if (ImGui::Button("Save"))
        saveToFiles(state, *state.shown, context);
    ImGui::SameLine();
    if (ImGui::Button("Add ShaderToy header")) {
        editor.history.endGesture();
        state.run.reset();
        setShaderSource(editor.history, *state.shown, shaderToyHeader + state.shown->fragmentShaderSource,
                        "Add the ShaderToy header to " + state.shown->fragmentShaderFilename, {}, state.run);
        showReplacedSource(state, context);
    }
    ImGui::SameLine();
    if (ImGui::Button("Constants")) {
        if (state.constants.empty())
            state.constants = scanConstants(state.shown->fragmentShaderSource);
        else
            state.constants.clear();
    }
}

void drawUniforms(ShaderEditorState& state, EditHistory& history, const CompiledProgram* compiled) {
    ShaderProgram& program = *state.shown;
    state.uniformsOpen = ImGui::BeginPopupModal(uniformsTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize);
    if (state.uniformsOpen) {
        ImGui::Text("Uniforms for %s", program.fragmentShaderFilename.c_str());
        ImGui::Separator();
        if (ImGui::Button("Add##uniform"))
            addUniform(history, program);
        ImGui::Separator();
        ImGui::PushItemWidth(100.0f);
        std::optional<size_t> deleted;
        for (size_t i = 0; i < program.uniformDefs.size(); ++i) {
            UniformDef& uniform = *program.uniformDefs[i];
            ImGui::PushID(static_cast<int>(i));
            char name[255];
            std::snprintf(name, sizeof name, "%s", uniform.name.c_str());
            if (ImGui::InputText("##uniform_name", name, sizeof name))
                renameUniform(history, program, i, name, {windowTitle::shaderEditor, "##uniform_name", &uniform});
            ImGui::SameLine();
            ImGui::BeginDisabled();
            bool located = compiled && i < compiled->uniformLocations.size() && compiled->uniformLocations[i] != -1;
            ImGui::Checkbox("##uniform_found", &located);
            ImGui::EndDisabled();
            for (auto [label, field] : {std::pair{"min", &UniformDef::minVal}, std::pair{"max", &UniformDef::maxVal},
                                        std::pair{"default", &UniformDef::defaultVal}}) {
                ImGui::SameLine();
                float value = uniform.*field;
                if (ImGui::InputFloat(label, &value, 0.0f, 0.0f, "%.3f"))
                    setUniformValue(history, program, i, field, value, {windowTitle::shaderEditor, label, &uniform});
            }
            ImGui::SameLine();
            if (ImGui::Button("Delete"))
                deleted = i;
            ImGui::PopID();
        }
        ImGui::PopItemWidth();
        if (deleted)
            removeUniform(history, program, *deleted);
        ImGui::Separator();
        if (ImGui::Button("Close", {120.0f, 0.0f}))
            ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button(uniformsTitle))
        ImGui::OpenPopup(uniformsTitle);
}

void drawErrors(ShaderEditorState& state, EditorContext& context) {
    const CompiledProgram* compiled = state.shown ? context.render.findProgram(*state.shown) : nullptr;
    const std::string log = compiled ? compiled->compileLog : std::string();
    ImGui::BeginChild("Errors", {0.0f, 64.0f}, true);
    ImGui::TextUnformatted(log.c_str());
    ImGui::EndChild();
    if (log != state.shownLog) {
        state.code.setMarkers(errorLines(log, 0, state.code.model().lineCount()));
        state.shownLog = log;
    }
}

} // namespace

void ShaderEditorState::forgetProject() {
    requested = nullptr;
    show(*this, nullptr);
    constants.clear();
}

void ShaderEditorState::noteFileWritten(const std::string& path) {
    if (shown && path == shown->fragmentShaderFilename)
        noteFileHoldsSource(*this);
}

void ShaderEditorState::forgetObject(const ObjectRef& object) {
    if (refersTo(object, requested))
        requested = nullptr;
    if (refersTo(object, shown))
        show(*this, nullptr);
}

void drawShaderEditor(EditorState& editor, EditorContext& context) {
    ShaderEditorState& state = editor.shaderEditor;
    Demo& demo = context.demo;
    if (!state.languageInstalled)
        installLanguage(state);
    if (ShaderProgram* requested = findObject(demo, state.requested))
        show(state, requested);
    state.requested = nullptr;
    if (!state.shown && !demo.shaders.empty())
        show(state, demo.shaders.front().get());
    holdShownProgram(state, context);
    if (state.shown) {
        drawShaderChoice(state, demo);
        ImGui::SameLine();
        if (ImGui::Button("Name"))
            ImGui::OpenPopup(filenameTitle);
        drawFilenameDialog(state, editor.history, context);
    }
    drawCommands(state, editor, context);
    if (!state.shown) {
        state.uniformsOpen = false;
        return;
    }
    ShaderProgram& program = *state.shown;
    holdShownProgram(state, context); // another program may show, or Auto-recompile have changed
    watchFile(state, editor, context);
    followProgram(state, program);
    drawUniforms(state, editor.history, &context.render.program(program));
    drawShaderMenus(state, editor, context.clock.ticks());
    if (!state.constants.empty())
        drawConstantsPanel(state, editor);
    drawErrors(state, context);
    drawSearchRow(state);
    ImGui::SetWindowFontScale(state.bigCodeFont ? 2.0f : 1.0f);
    state.code.draw();
    ImGui::SetWindowFontScale(1.0f);
    editor.codeEditorHasKeyboard = state.code.hasKeyboard();
    if (state.code.textChanged())
        storeEditorText(state, editor, context.clock.ticks());
    applySearchKeys(state);
}
