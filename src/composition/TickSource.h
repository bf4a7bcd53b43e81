// Milliseconds on the SDL_GetTicks time base. A program has one source of
// them, its beat clock's, which everything that tells time (the status line,
// the tempo meter) reads through a reference, so a test that replaces it moves
// them all.
#pragma once

#include <cstdint>

using TickSource = uint32_t (*)();
