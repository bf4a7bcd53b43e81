// What rendering the demo to files runs on: a GL context with no window on any
// screen (SDL's offscreen video driver, on EGL) and a mixer with no sound card
// (SDL's dummy audio driver), opened in the player's format. Needs no display.
#pragma once

#include "render/ScreenSize.h"

#include <SDL.h>

#include <string>

class HeadlessContext {
public:
    HeadlessContext() = default;
    ~HeadlessContext();
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

    // Brings everything up with a default framebuffer of `size`. On failure
    // returns false with the reason in `problem`.
    bool start(ScreenSize size, std::string& problem);

private:
    bool sdlStarted_ = false;
    bool mixerOpen_ = false;
    bool fontsStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};
