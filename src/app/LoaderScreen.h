// The loader screen: the built-in logo filling up with colour as a project loads,
// shown while the project readers work and for a few seconds after start-up,
// with a built-in jingle. Everything it draws and plays is carried inside the
// executable, so it works before any project data exists.
//
// Its objects belong to no project: they are never saved, never listed in the
// editor, and live for the whole run.
#pragma once

#include <SDL.h>

#include <cstdint>

class AudioSample;
class Effect;

// Draws the logo with the loader shader; null until `setUpLoader`.
extern Effect* loaderEffect;
// The jingle; null until `setUpLoader`. Silent when the mixer cannot decode it.
extern AudioSample* loaderSample;

// Hides the mouse cursor, discards pending events, presents one frame and builds
// the loader's objects. Needs `window` with its GL context and blending set up;
// called once, before the project is read.
void setUpLoader(SDL_Window* window, SDL_GLContext context);

// Draws and presents one frame showing `read` of `total` objects loaded, then
// waits 20 ms. Input that arrived meanwhile is discarded: the window does not
// react while loading.
void renderLoaderFrame(uint64_t read, uint64_t total);

// Plays the jingle, then shows 100 frames at full progress, waiting another 20 ms
// after each: at least 4 seconds, however quickly the project loaded.
void showLoaderTail(uint64_t total);
