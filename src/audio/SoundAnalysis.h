// What the mix sounds like, for the shaders: a spectrum row and a waveform row
// (the sound texture's texels) and a loudness value (the "sound" uniform).
//
// `analyseMix` runs on SDL's audio thread as the mixer's post-mix hook, for every
// buffer the mixer produces; it also applies the music volume to the whole mix.
// It takes no lock and allocates nothing. The main thread reads what it wrote:
// the rows through a triple buffer (a frame always sees whole rows of one mix
// buffer), the loudness ring as single atomic words.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

constexpr int analysisSize = 1024;                          // FFT points and texels per row
constexpr int levelRingSize = 100;                          // sample values kept for the loudness
constexpr int soundTextureByteCount = analysisSize * 2 * 4; // spectrum row, waveform row, RGBA

// Master volume of the whole mix, 0 to 128; the editor's volume slider writes it.
extern std::atomic<int> musicVolume;
// Byte length of the latest mix buffer.
extern std::atomic<int64_t> lastMixBytes;
// Absolute values of the first 100 sample values of the latest buffers, after volume.
extern std::array<std::atomic<int16_t>, levelRingSize> levelRing;

// Creates the FFT configuration; once, before the hook first runs.
void createFftConfig();

// The post-mix hook: analyses `stream` (interleaved signed 16-bit stereo) and
// scales it by `musicVolume`.
void analyseMix(int channel, void* stream, int length, void* userData);

// The loudness: mean of the level ring, 0 (silence) to 32767.
int soundLevel();

// The rows of the latest analysed buffer: 1024 spectrum texels (0 = -90 dB or
// less, 255 = 0 dB or more) then 1024 waveform texels (128 = silence), four
// equal bytes each. All zero until the first analysis. Main thread only.
const uint8_t* soundTextureBytes();
