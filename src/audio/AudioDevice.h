// The mixer's audio device: 48000 Hz, signed 16-bit, stereo, fixed for the whole
// run so the post-mix analysis always sees the same format.
#pragma once

// The device's actual rate and channel count, used for sample durations; they hold
// 44100 and 2 until the device is open.
extern int mixerFrequency;
extern int mixerChannels;

// Opens the device and reads back its format. Returns false when it cannot be opened.
bool openAudioDevice();
