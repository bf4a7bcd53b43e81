#include "editor/windows/EditorKeys.h"

#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

namespace {

void applyCommandKey(EditorState& editor, EditorContext& context, SDL_Keycode key) {
    // A text field being edited takes Ctrl+Z and Ctrl+Y for its own text.
    const bool typing = ImGui::GetIO().WantTextInput;
    switch (key) {
    case SDLK_l:
        editor.requests.loadJson = true;
        break;
    case SDLK_q:
        context.quitRequested = true;
        break;
    case SDLK_s:
        editor.requests.saveJsonProject = true;
        break;
    case SDLK_z:
        if (!typing)
            editor.history.undo();
        break;
    case SDLK_y:
        if (!typing)
            editor.history.redo();
        break;
    default:
        break;
    }
}

bool* windowFlagOf(WindowFlags& show, SDL_Keycode key) {
    for (const ToolWindow& window : toolWindows())
        if (window.key && window.key == key)
            return &(show.*window.open);
    return nullptr;
}

void applyWindowKey(EditorState& editor, SDL_Keycode key) {
    if (bool* flag = windowFlagOf(editor.show, key))
        *flag = !*flag;
    else if (key == SDLK_y)
        editor.arrange();
    else if (key == SDLK_h)
        editor.toggleSeeThrough();
    else if (key == SDLK_z && !ImGui::GetIO().WantTextInput)
        editor.history.redo();
}

// With Shift held too the key is a window key; of the command keys only the
// file commands act then as well (Ctrl+Shift+S also saves).
bool actsWithShift(SDL_Keycode commandKey) {
    return commandKey == SDLK_l || commandKey == SDLK_q || commandKey == SDLK_s;
}

} // namespace

void applyEditorKeys(EditorState& editor, EditorContext& context, SDL_Keycode commandKey, SDL_Keycode windowKey) {
    if (commandKey && (!windowKey || actsWithShift(commandKey)))
        applyCommandKey(editor, context, commandKey);
    if (windowKey)
        applyWindowKey(editor, windowKey);
}
