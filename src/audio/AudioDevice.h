// The mixer's audio device: 48000 Hz, signed 16-bit, stereo, fixed for the whole
// run so the post-mix analysis always sees the same format.
#pragma once

constexpr int mixRate = 48000; // frames a second
constexpr int mixChannels = 2;

// Opens the device in that format (SDL converts for the hardware). Returns
// false when it cannot be opened.
bool openAudioDevice();
