// What the live mix sounds like, for the shaders: the rows of the sound texture
// and the loudness of the "sound" uniform (see MixAnalyser).
//
// `analyseMix` runs on SDL's audio thread as the mixer's post-mix hook, for every
// buffer the mixer produces; it also applies the master volume to the whole mix.
// It takes no lock and allocates nothing. The main thread reads what it wrote:
// the rows through a triple buffer (a frame always sees whole rows of one mix
// buffer), the loudness as one atomic word.
#pragma once

#include "audio/MixAnalyser.h"

#include <atomic>
#include <cstdint>

// Master volume of the whole mix, 0 to 128; the editor's volume slider writes it.
extern std::atomic<int> musicVolume;
// Byte length of the latest mix buffer.
extern std::atomic<int64_t> lastMixBytes;

// Creates the analyser; once, before the hook first runs.
void createFftConfig();

// The post-mix hook: analyses `stream` (interleaved signed 16-bit stereo) and
// scales it by `musicVolume`.
void analyseMix(int channel, void* stream, int length, void* userData);

// The loudness of the latest buffer, after volume: 0 (silence) to 32767.
int soundLevel();

// The rows of the latest analysed buffer; all zero until the first analysis.
// Main thread only.
const uint8_t* soundTextureBytes();
