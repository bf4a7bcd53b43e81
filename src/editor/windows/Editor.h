// The editor drawn over the demo while it is shown (Ctrl+T): the main window
// with the transport row and the timeline, the menu bar, the tool windows and
// the editor's keys.
#pragma once

#include <SDL.h>

struct EditorState;
struct EditorContext;

// Draws the editor for this frame and applies its keys; project commands it
// asks for are left in `editor.requests` for the shell. Returns true when the
// editor has taken care of the demo picture itself (the Viewport is open), so
// the caller must not compose it full-window.
bool drawEditor(EditorState& editor, EditorContext& context, SDL_Keycode commandKey, SDL_Keycode windowKey);
