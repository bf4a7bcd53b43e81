#include "editor/EditorKeys.h"

#include "editor/EditorContext.h"
#include "editor/EditorState.h"

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
    switch (key) {
    case SDLK_v:
        return &show.viewport;
    case SDLK_c:
        return &show.effectManager;
    case SDLK_e:
        return &show.eventManager;
    case SDLK_s:
        return &show.shaderEditor;
    case SDLK_x:
        return &show.textureManager;
    case SDLK_m:
        return &show.sampleManager;
    case SDLK_g:
        return &show.eventGroupManager;
    case SDLK_f:
        return &show.fontManager;
    default:
        return nullptr;
    }
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

} // namespace

void applyEditorKeys(EditorState& editor, EditorContext& context, SDL_Keycode commandKey, SDL_Keycode windowKey) {
    // Ctrl+Shift+Z comes as both keys: it redoes, and must not undo first.
    if (commandKey && !(commandKey == SDLK_z && windowKey == SDLK_z))
        applyCommandKey(editor, context, commandKey);
    if (windowKey)
        applyWindowKey(editor, windowKey);
}
