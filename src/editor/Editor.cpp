#include "editor/Editor.h"

bool drawEditor(AppState&, SDL_Keycode, SDL_Keycode) { return false; }
