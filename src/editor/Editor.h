// The editor overlay drawn over the demo while it is shown (Ctrl+T).
#pragma once

#include <SDL.h>

// Draws the editor for this frame and applies its keyboard commands. `fileName` is
// the shell's 256-byte project file name buffer. Returns true when the editor has
// taken care of the demo picture itself, so the caller must not compose it full-window.
bool drawEditor(char* fileName, SDL_Keycode commandKey, SDL_Keycode windowKey);
