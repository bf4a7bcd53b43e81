#include "editor/windows/MainMenu.h"

#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <algorithm>
#include <string>
#include <vector>

const char* const editorTitle = "Quillfront :: 0.8";

namespace {

void fileMenu(EditorState& editor, EditorContext& context) {
    EditorRequests& requests = editor.requests;
    if (ImGui::MenuItem("Load BIN"))
        requests.loadBinary = true;
    if (ImGui::MenuItem("Load JSON", "Ctrl+L"))
        requests.loadJson = true;
    if (!editor.recoverableAutosave.empty() && ImGui::MenuItem("Recover autosave", editor.recoverableAutosave.c_str()))
        requests.recoverAutosave = true;
    if (editor.unsaved())
        ImGui::TextDisabled("%s", "Unsaved changes");
    if (ImGui::MenuItem("Save BIN"))
        requests.saveBinary = true;
    if (ImGui::MenuItem("Save JSON (complete)"))
        requests.saveJsonComplete = true;
    if (ImGui::MenuItem("Save JSON (project)", "Ctrl+S"))
        requests.saveJsonProject = true;
    ImGui::Separator();
    if (ImGui::MenuItem("Import resources/music.mp3"))
        requests.importMusic = true;
    ImGui::Separator();
    if (ImGui::MenuItem("Export Executable"))
        requests.exportExecutable = true;
    if (ImGui::MenuItem("Export Videoframes"))
        requests.exportFrames = true;
    if (ImGui::MenuItem("Quit", "Ctrl+Q"))
        context.quitRequested = true;
}

void editMenu(EditHistory& history) {
    const std::string undo = history.canUndo() ? "Undo " + history.undoName() : std::string("Undo");
    const std::string redo = history.canRedo() ? "Redo " + history.redoName() : std::string("Redo");
    if (ImGui::MenuItem(undo.c_str(), "Ctrl+Z", false, history.canUndo()))
        history.undo();
    if (ImGui::MenuItem(redo.c_str(), "Ctrl+Y", false, history.canRedo()))
        history.redo();
}

// The tool windows in their menu order.
std::vector<const ToolWindow*> windowsInMenuOrder() {
    std::vector<const ToolWindow*> ordered;
    for (const ToolWindow& window : toolWindows())
        ordered.push_back(&window);
    std::ranges::sort(ordered, {}, &ToolWindow::menuPosition);
    return ordered;
}

void viewMenu(EditorState& editor, EditorContext& context) {
    WindowFlags& show = editor.show;
    if (ImGui::MenuItem(context.clock.paused ? "Play" : "Pause", "Ctrl+Space"))
        context.clock.togglePause(context.demo);
    ImGui::Separator();
    // The windows with keys, then the others.
    bool keyed = true;
    for (const ToolWindow* window : windowsInMenuOrder()) {
        if (keyed && !window->key)
            ImGui::Separator();
        keyed = window->key != 0;
        ImGui::MenuItem(window->title, window->shortcut, &(show.*window->open));
    }
    ImGui::MenuItem("ImGui Demo Window", nullptr, &show.guiDemo);
    if (ImGui::MenuItem("Arrange windows", "Ctrl+Shift+Y"))
        editor.arrange();
    if (ImGui::MenuItem("See-Through Timeline", "Ctrl+Shift+H", editor.seeThroughTimeline))
        editor.toggleSeeThrough();
}

} // namespace

void drawMainMenu(EditorState& editor, EditorContext& context) {
    if (!ImGui::BeginMainMenuBar())
        return;
    if (ImGui::BeginMenu(editorTitle, false))
        ImGui::EndMenu();
    if (ImGui::BeginMenu("File")) {
        fileMenu(editor, context);
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Edit")) {
        editMenu(editor.history);
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("View")) {
        viewMenu(editor, context);
        ImGui::EndMenu();
    }
    if (context.status.shown() && ImGui::BeginMenu(context.status.text.c_str(), false))
        ImGui::EndMenu();
    ImGui::EndMainMenuBar();
}
