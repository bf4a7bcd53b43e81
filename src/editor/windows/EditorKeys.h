// The editor's keys, decoded by the shell: Ctrl+key commands and Ctrl+Shift+key
// window toggles.
#pragma once

#include <SDL.h>

struct EditorState;
struct EditorContext;

void applyEditorKeys(EditorState& editor, EditorContext& context, SDL_Keycode commandKey, SDL_Keycode windowKey);
