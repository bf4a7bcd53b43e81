#include "editor/StatusLine.h"

#include <SDL.h>

std::string statusText;
uint32_t statusTime = 0;

void setStatus(std::string text) {
    statusTime = SDL_GetTicks();
    statusText = std::move(text);
}
