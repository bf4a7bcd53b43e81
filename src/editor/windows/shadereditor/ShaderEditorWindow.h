// The "Shader Editor" window: a program of the project chosen in the "Shader"
// combo (or asked for by the Effect Manager's "Edit"), its fragment shader in
// the code editor with compile errors marked on their lines, its file name,
// its uniforms, number constants with sliders, search, and the commands of the
// window's menu bar. Every change of the source reaches the program at once as
// a step of the edit history that holds only the changed bytes (typing joins
// one step until a pause of a second, a move of the cursor or another command);
// a change of the program from elsewhere (an undo) shows in the editor.
#pragma once

#include "codeeditor/CodeEditor.h"
#include "editor/edits/ProjectEdits.h"
#include "editor/windows/WindowState.h"
#include "editor/windows/shadereditor/ShaderConstants.h"
#include "editor/windows/shadereditor/SourceSearch.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ShaderProgram;
struct EditorState;
struct EditorContext;

struct ShaderEditorState : WindowState {
    ShaderProgram* shown = nullptr;
    const ShaderProgram* requested = nullptr; // to show at the next draw (the Effect Manager's "Edit")
    uint64_t shownMark = 0;                   // the program's edit mark when the editor last matched it
    CodeEditor code;
    bool languageInstalled = false;
    bool autoRecompile = false;
    char filenameBuffer[255] = "";
    std::vector<NumberLiteral> constants; // the panel shows while there are any
    bool constantsDirty = false;
    int numbersPanelHeight = 100;
    char searchPattern[120] = "";
    std::vector<SearchMatch> matches;
    bool focusSearch = false;
    bool bigCodeFont = false;
    bool uniformsOpen = false;       // the Event Manager hides its variables meanwhile
    std::optional<SourceChange> run; // the source step being typed
    uint32_t lastEditTicks = 0;
    size_t codeSteps = 0; // the code editor's undo steps at the last edit
    std::string shownLog; // the compile log the error marks were read from
    // The shown program's fragment file, watched for other programs' saves.
    std::filesystem::file_time_type fileTime;
    uint32_t lastFileCheck = 0;
    uint64_t savedMark = 0; // the program's edit mark when it last matched its file

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
    // This program wrote the file at `path` with the project's data (a project
    // saved in its project form): the watcher takes it for what it holds.
    void noteFileWritten(const std::string& path);
};

void drawShaderEditor(EditorState& editor, EditorContext& context);

// Stores the code editor's text as the shown program's source (at `now`, in
// ticks). Typing joins the step before unless the author paused, moved the
// cursor or did something else in between.
void storeEditorText(ShaderEditorState& state, EditorState& editor, uint32_t now);
