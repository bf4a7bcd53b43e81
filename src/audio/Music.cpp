#include "audio/Music.h"

#include "audio/SoundAnalysis.h"
#include "project/ByteBuffer.h"

#include <SDL_mixer.h>

#include <climits>

namespace {

Mix_Music* currentMusic = nullptr;
bool analysisHooked = false;

// Halted before it is freed, and before the bytes it streams from may go.
void stopCurrentMusic() {
    if (!currentMusic)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(currentMusic);
    currentMusic = nullptr;
}

} // namespace

void startMusic(const ByteBuffer& music, bool loopForever) {
    stopCurrentMusic();
    if (music.data.empty() || music.size() > INT_MAX)
        return;
    SDL_RWops* stream = SDL_RWFromConstMem(music.data.data(), static_cast<int>(music.size()));
    currentMusic = stream ? Mix_LoadMUS_RW(stream, 1) : nullptr;
    if (!analysisHooked) {
        // Once only: the mixer would run every registered copy, scaling the volume again.
        Mix_RegisterEffect(MIX_CHANNEL_POST, analyseMix, nullptr, nullptr);
        analysisHooked = true;
    }
    if (currentMusic)
        Mix_PlayMusic(currentMusic, loopForever ? -1 : 0);
}
