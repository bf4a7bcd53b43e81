#include "editor/windows/shadereditor/ShaderEditorMenus.h"

#include "editor/windows/EditorState.h"

#include <SDL.h>
#include <imgui.h>

#include <cstdio>
#include <cstring>

namespace {

void findAllMatches(ShaderEditorState& state) { state.matches = findAll(state.code.model(), state.searchPattern); }

void selectFirstMatch(ShaderEditorState& state) {
    findAllMatches(state);
    if (!state.matches.empty())
        selectMatch(state.code.model(), state.matches.front(), std::strlen(state.searchPattern));
}

// The selected text (1 to 119 bytes) becomes the pattern; the match at or after the selection is selected.
void findFromSelection(ShaderEditorState& state) {
    TextModel& text = state.code.model();
    const bool selected = text.hasSelection();
    const std::string selection = text.selectedText();
    if (!selection.empty() && selection.size() < sizeof state.searchPattern)
        std::snprintf(state.searchPattern, sizeof state.searchPattern, "%s", selection.c_str());
    findAllMatches(state);
    if (state.matches.empty())
        return;
    const SearchMatch match =
        selected ? *matchAtOrAfter(text, state.matches, text.selectionStart()) : state.matches.front();
    selectMatch(text, match, std::strlen(state.searchPattern));
}

// The match after the one selected (or the cursor), wrapping to the first.
void findNext(ShaderEditorState& state) {
    findAllMatches(state);
    if (state.matches.empty())
        return;
    TextModel& text = state.code.model();
    selectMatch(text, *nextMatch(text, state.matches), std::strlen(state.searchPattern));
}

void drawEditMenu(ShaderEditorState& state, EditorState& editor, uint32_t now) {
    TextModel& text = state.code.model();
    if (ImGui::MenuItem("Undo", "Ctrl-Z", false, text.canUndo()))
        text.undo();
    if (ImGui::MenuItem("Redo", "Ctrl-Y", false, text.canRedo()))
        text.redo();
    ImGui::Separator();
    if (ImGui::MenuItem("Copy", "Ctrl-C", false, text.hasSelection()))
        state.code.copy();
    if (ImGui::MenuItem("Cut", "Ctrl-X", false, text.hasSelection()))
        state.code.cut();
    if (ImGui::MenuItem("Delete", "Del", false, text.hasSelection()))
        text.deleteSelection();
    const char* clipboard = ImGui::GetClipboardText();
    if (ImGui::MenuItem("Paste", "Ctrl-V", false, clipboard && *clipboard))
        state.code.paste();
    ImGui::Separator();
    if (ImGui::MenuItem("Find", "Ctrl-F"))
        findFromSelection(state);
    if (ImGui::MenuItem("Find Next", "F3"))
        findNext(state);
    if (ImGui::MenuItem("Select all"))
        text.selectAll();
    // Before the code editor draws, which clears the flag: the program gets the change now.
    if (text.textChanged) {
        storeEditorText(state, editor, now);
        text.textChanged = false;
    }
}

void drawViewMenu(ShaderEditorState& state) {
    if (ImGui::MenuItem("Dark palette"))
        state.code.setPalette(darkPalette());
    if (ImGui::MenuItem("Light palette"))
        state.code.setPalette(lightPalette());
    if (ImGui::MenuItem("Retro blue palette"))
        state.code.setPalette(retroBluePalette());
    ImGui::MenuItem("Big code font", nullptr, &state.bigCodeFont);
}

} // namespace

void drawShaderMenus(ShaderEditorState& state, EditorState& editor, uint32_t now) {
    if (!ImGui::BeginMenuBar())
        return;
    if (ImGui::BeginMenu("Edit")) {
        drawEditMenu(state, editor, now);
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("View")) {
        drawViewMenu(state);
        ImGui::EndMenu();
    }
    ImGui::EndMenuBar();
}

void drawSearchRow(ShaderEditorState& state) {
    ImGui::Text("%s", "Search:");
    ImGui::SameLine();
    if (state.focusSearch) {
        ImGui::SetKeyboardFocusHere();
        state.focusSearch = false;
    }
    ImGui::SetNextItemWidth(200.0f);
    const bool entered = ImGui::InputText("##search", state.searchPattern, sizeof state.searchPattern,
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    if (entered) {
        findNext(state);
        state.focusSearch = true;
    } else if (ImGui::IsItemEdited()) {
        selectFirstMatch(state);
        state.focusSearch = true;
    }
    ImGui::SameLine();
    if (ImGui::Button("First"))
        selectFirstMatch(state);
    ImGui::SameLine();
    if (ImGui::Button("Next") && !state.matches.empty())
        findNext(state);
    ImGui::SameLine();
    const size_t count = state.matches.size();
    if (count == 0)
        ImGui::Text("%s", "No matches");
    else if (count == 1)
        ImGui::Text("%s", "1 match");
    else
        ImGui::Text("%i matches", static_cast<int>(count));
}

void applySearchKeys(ShaderEditorState& state) {
    if (!ImGui::IsWindowFocused(ImGuiFocusedFlags_RootAndChildWindows))
        return;
    const ImGuiIO& io = ImGui::GetIO();
    if (io.KeyCtrl && !io.KeyShift && !io.KeyAlt && ImGui::IsKeyPressed(SDL_SCANCODE_F, false))
        findFromSelection(state);
    else if (ImGui::IsKeyPressed(SDL_SCANCODE_F3, false) && !state.matches.empty())
        findNext(state);
}
