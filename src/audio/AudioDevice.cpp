#include "audio/AudioDevice.h"

#include <SDL_mixer.h>

bool openAudioDevice() {
    // No format changes allowed: the mixer always works in this format.
    return Mix_OpenAudioDevice(mixRate, AUDIO_S16SYS, mixChannels, 1024, nullptr, 0) == 0;
}
