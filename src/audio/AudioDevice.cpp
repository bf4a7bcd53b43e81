#include "audio/AudioDevice.h"

#include <SDL_mixer.h>

int mixerFrequency = 44100;
int mixerChannels = 2;

bool openAudioDevice() {
    // No format changes allowed: SDL converts for the hardware instead.
    if (Mix_OpenAudioDevice(48000, AUDIO_S16SYS, 2, 1024, nullptr, 0) != 0)
        return false;
    Uint16 format = 0;
    Mix_QuerySpec(&mixerFrequency, &format, &mixerChannels);
    return true;
}
