// The window a demo plays in: borderless, 16:9 at the full width of the
// primary display, with its OpenGL context and GLEW's functions ready.
#pragma once

#include "render/ScreenSize.h"

#include <SDL.h>

struct ShellWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext glContext = nullptr;
};

// The 16:9 size at the full width of the primary display, whatever its height;
// false, with the reason logged, when SDL cannot tell.
bool demoScreenSize(ScreenSize& size);
// Opens the window and its context at `size`; false, with the reason logged,
// when either fails. What was made is left in `shellWindow` to be closed.
bool openShellWindow(ShellWindow& shellWindow, ScreenSize size);
void closeShellWindow(ShellWindow& shellWindow);
// The GL version, shading language, vendor and renderer, on standard output.
void printGlStrings();
