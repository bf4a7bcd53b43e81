#include "app/ShellInput.h"

#include "app/BeatClock.h"
#include "app/ShellState.h"
#include "project/Demo.h"

namespace {

void handleShellKeyRelease(SDL_Keycode key, Uint16 mods, FrameKeys& keys) {
    const bool ctrl = (mods & KMOD_CTRL) != 0;
    const bool shift = (mods & KMOD_SHIFT) != 0;

    if (key == SDLK_ESCAPE && !editorVisible && !editorEverShown)
        quitRequested = true;

    if (playerMode)
        return;

    if (ctrl) {
        switch (key) {
        case SDLK_t:
            editorEverShown = true;
            editorVisible = !editorVisible;
            break;
        case SDLK_SPACE:
            beatClock.togglePause(*theDemo);
            break;
        case SDLK_HOME:
            beatClock.seekToCue(*theDemo);
            break;
        case SDLK_PAGEUP:
            beatClock.seekToPreviousBar(*theDemo);
            break;
        case SDLK_PAGEDOWN:
            beatClock.seekToNextBar(*theDemo);
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

void handleShellEvent(const SDL_Event& event, FrameKeys& keys) {
    switch (event.type) {
    case SDL_QUIT:
        quitRequested = true;
        break;
    case SDL_KEYUP:
        handleShellKeyRelease(event.key.keysym.sym, event.key.keysym.mod, keys);
        break;
    default:
        break;
    }
}

int SDLCALL watchForBackground(void*, SDL_Event* event) {
    if (event->type == SDL_APP_WILLENTERBACKGROUND)
        quitRequested = true;
    return 1;
}
