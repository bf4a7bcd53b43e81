#include "editor/Editor.h"

bool drawEditor(char*, SDL_Keycode, SDL_Keycode) { return false; }
