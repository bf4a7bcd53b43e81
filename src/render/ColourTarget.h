// A screen-sized RGBA8 texture with a framebuffer over it: what a pass draws into
// when its picture is sampled later (an effect's output, the scene).
#pragma once

#include "render/ScreenSize.h"

#include <cstdint>

struct ColourTarget {
    uint32_t texture = 0;
    uint32_t framebuffer = 0;

    bool exists() const { return texture != 0; }
};

// Creates the texture, zero-filled, and its framebuffer. Keeps the framebuffer
// bindings and the clear colour as they were.
ColourTarget createColourTarget(ScreenSize size);
// Deletes both GL objects, when there are any.
void destroyColourTarget(ColourTarget& target);
// Copies the whole of `from` into the framebuffer `to` and leaves `to` bound for
// drawing and reading.
void copyColourTarget(const ColourTarget& from, uint32_t to, ScreenSize size);
