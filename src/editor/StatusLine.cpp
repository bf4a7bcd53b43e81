#include "editor/StatusLine.h"

#include <SDL.h>

void StatusLine::set(std::string message) {
    time = SDL_GetTicks();
    text = std::move(message);
}
