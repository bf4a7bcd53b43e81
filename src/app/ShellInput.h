// How the shell reacts to SDL events: its keys act on key release, with Ctrl;
// Ctrl+Shift keys are handed on to the editor as the frame's window key.
#pragma once

#include <SDL.h>

struct AppState;

// The two keys of a frame that the editor consumes; 0 when none.
struct FrameKeys {
    SDL_Keycode commandKey = 0; // Ctrl+key not taken by the shell (L, Q, S...)
    SDL_Keycode windowKey = 0;  // Ctrl+Shift+key, toggles a tool window
};

// Applies one polled event to the shell state and the clock; when several keys
// qualify in one frame, the last one wins.
void handleShellEvent(AppState& app, const SDL_Event& event, FrameKeys& keys);

// Event watcher, registered with the ShellFlags as `userData`: asks the program
// to quit when the platform announces it is going to the background. May run on
// any thread, so it only sets the quit flag.
int SDLCALL watchForBackground(void* userData, SDL_Event* event);
