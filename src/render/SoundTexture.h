// The sound texture: 1024 × 2 RGBA texels refilled every frame from the audio
// analysis (row 0 the spectrum, row 1 the waveform) and bound to unit 16.
#pragma once

#include "render/Texture.h"

#include <memory>

constexpr int soundTextureWidth = 1024;
constexpr int soundTextureHeight = 2;
constexpr int soundTextureUnit = 16;

// A zero-filled sound texture named after its address and size.
std::unique_ptr<Texture> createSoundTexture();
