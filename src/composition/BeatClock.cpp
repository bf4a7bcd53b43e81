#include "composition/BeatClock.h"

#include "project/Demo.h"
#include "project/Tempo.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace {

// Music position of `beat`, clamped to the start of the music.
int32_t musicMsOf(const Demo& demo, float beat) { return std::max(0, beatToMs(demo, beat)); }

} // namespace

int32_t beatToMs(const Demo& demo, float beat) {
    const Tempo tempo = Tempo::of(demo);
    return tempo.usable() ? truncToInt32(tempo.countAt(beat, 1000.0)) : 0;
}

BeatClock::BeatClock() : ticks(SDL_GetTicks) {}

void BeatClock::anchor() { startTicks = ticks(); }

void BeatClock::advance(const Demo& demo) {
    const Tempo tempo = Tempo::of(demo);
    if (paused || !tempo.usable())
        return;
    const uint32_t elapsed = ticks() - startTicks; // wraps like the tick counter
    currentBeat = static_cast<float>(tempo.beatAt(elapsed, 1000.0));
}

void BeatClock::togglePause(const Demo& demo) {
    paused = !paused;
    if (paused) {
        Mix_PauseMusic();
        return;
    }
    // A beat typed or sought while paused is where playback continues. Clamped like a
    // seek: an anchor in the future would make the elapsed time wrap to a huge beat.
    if (Tempo::of(demo).usable())
        startTicks = ticks() - static_cast<uint32_t>(musicMsOf(demo, currentBeat));
    Mix_ResumeMusic();
}

void BeatClock::seekToBeat(const Demo& demo, float beat) {
    currentBeat = beat;
    if (!Tempo::of(demo).usable())
        return;
    const int32_t ms = musicMsOf(demo, beat);
    Mix_SetMusicPosition(ms / 1000.0); // fails harmlessly when no music is loaded
    startTicks = ticks() - static_cast<uint32_t>(ms);
}

void BeatClock::seekToPreviousBar(const Demo& demo) {
    const float b = currentBeat;
    seekToBeat(demo, std::max(0.0f, b - std::fmod(b, 16.0f) - 16.0f));
}

void BeatClock::seekToNextBar(const Demo& demo) {
    const float b = currentBeat;
    seekToBeat(demo, b - std::fmod(b, 16.0f) + 16.0f);
}

void BeatClock::seekToCue(const Demo& demo) { seekToBeat(demo, cueBeat); }
