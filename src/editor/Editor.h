// The editor overlay drawn over the demo while it is shown (Ctrl+T).
#pragma once

#include <SDL.h>

struct AppState;

// Draws the editor for this frame and applies its keyboard commands. Returns
// true when the editor has taken care of the demo picture itself, so the caller
// must not compose it full-window.
bool drawEditor(AppState& app, SDL_Keycode commandKey, SDL_Keycode windowKey);
