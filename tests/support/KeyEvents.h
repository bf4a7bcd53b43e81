// Keyboard events as SDL delivers them, for driving the shell's keys.
#pragma once

#include <SDL.h>

// A key press (SDL_KEYDOWN) or release (SDL_KEYUP) of `key` with modifiers `mods`.
inline SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mods) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mods;
    return event;
}

// Queues the key event for the window of the current GL context.
inline void pushKey(Uint32 type, SDL_Keycode key, Uint16 mods) {
    SDL_Event event = keyEvent(type, key, mods);
    event.key.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    SDL_PushEvent(&event);
}
