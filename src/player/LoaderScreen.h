// The loader screen: the built-in logo filling up with colour as a project loads,
// shown while the project readers work and for a few seconds after start-up,
// with a built-in jingle. Everything it draws and plays is carried inside the
// executable, so it works before any project data exists.
//
// Its objects belong to no project: they are never saved, never listed in the
// editor, and live as long as the shell.
#pragma once

#include "audio/AudioCache.h"
#include "project/AudioSample.h"
#include "project/Effect.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"
#include "render/RenderCache.h"

#include <SDL.h>

#include <cstdint>

struct LoaderScreen {
    // `live`: the mix the jingle plays in.
    explicit LoaderScreen(LiveMix* live = nullptr) : audio(live) {}

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    ShaderProgram program; // the built-in loader shader
    Texture logo;          // the built-in logo
    Effect effect;         // draws the logo with the loader shader
    AudioSample jingle;    // silent when the mixer cannot decode it
    RenderCache render;
    AudioCache audio;
    uint32_t frameDelayMs = 20; // the wait after each frame; 0 when tests start the program
};

// Hides the mouse cursor, discards pending events, presents one frame and builds
// the loader's objects. Needs `window` with its GL context and blending set up;
// called once, before the project is read.
void setUpLoader(LoaderScreen& loader, SDL_Window* window, SDL_GLContext context);

// Draws and presents one frame showing `read` of `total` objects loaded, then
// waits `frameDelayMs`. Input that arrived meanwhile is discarded: the window does not
// react while loading.
void renderLoaderFrame(LoaderScreen& loader, uint64_t read, uint64_t total);

// Plays the jingle, then shows 100 frames at full progress, waiting another
// `frameDelayMs` after each: at least 4 seconds, however quickly the project loaded.
void showLoaderTail(LoaderScreen& loader, uint64_t total);
