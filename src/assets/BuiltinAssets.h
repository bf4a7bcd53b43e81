// Data the program carries inside itself, so it needs no file to show its loader
// screen. Each is a file under assets/ embedded at build time (see
// cmake/EmbedAsset.cmake) and constant for the run.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The loader logo: a PNG, 1600 × 1600, two-colour palette; its dark parts are the logo.
std::span<const uint8_t> loaderImage();
// The loader jingle: an MP3 stream, 48 kHz, about half a second.
std::span<const uint8_t> loaderJingle();
// The loader's fragment shader: GLSL 1.50 source drawing the logo filled by the load's progress.
std::string_view loaderShader();
