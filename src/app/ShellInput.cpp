#include "app/ShellInput.h"

#include "app/AppState.h"

namespace {

void handleShellKeyRelease(AppState& app, SDL_Keycode key, Uint16 mods, FrameKeys& keys) {
    const bool ctrl = (mods & KMOD_CTRL) != 0;
    const bool shift = (mods & KMOD_SHIFT) != 0;
    ShellFlags& shell = app.shell;
    const Demo& demo = *app.project.demo;

    if (key == SDLK_ESCAPE && !shell.editorVisible && !shell.editorEverShown)
        shell.quitRequested = true;

    if (shell.playerMode)
        return;
    // Typing code, Ctrl+Z, Ctrl+A, Ctrl+Home... are the code editor's; Ctrl+S still saves.
    if (ctrl && app.editor.codeEditorHasKeyboard && (shift || key != SDLK_s))
        return;

    if (ctrl) {
        switch (key) {
        case SDLK_t:
            shell.editorEverShown = true;
            shell.editorVisible = !shell.editorVisible;
            break;
        case SDLK_SPACE:
            app.clock.togglePause(demo);
            break;
        case SDLK_HOME:
            app.clock.seekToCue(demo);
            break;
        case SDLK_PAGEUP:
            app.clock.seekToPreviousBar(demo);
            break;
        case SDLK_PAGEDOWN:
            app.clock.seekToNextBar(demo);
            break;
        default:
            keys.commandKey = key;
            break;
        }
    }
    // Deliberately not exclusive with the Ctrl rules: Ctrl+Shift+S is both the
    // Shader Editor toggle and the save command.
    if (ctrl && shift)
        keys.windowKey = key;
}

} // namespace

void handleShellEvent(AppState& app, const SDL_Event& event, FrameKeys& keys) {
    switch (event.type) {
    case SDL_QUIT:
        app.shell.quitRequested = true;
        break;
    case SDL_KEYUP:
        handleShellKeyRelease(app, event.key.keysym.sym, event.key.keysym.mod, keys);
        break;
    default:
        break;
    }
}

int SDLCALL watchForBackground(void* userData, SDL_Event* event) {
    if (event->type == SDL_APP_WILLENTERBACKGROUND)
        static_cast<ShellFlags*>(userData)->quitRequested = true;
    return 1;
}
