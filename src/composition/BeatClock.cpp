#include "composition/BeatClock.h"

#include "project/Demo.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace {

bool tempoIsUsable(const Demo& demo) { return demo.bpm > 0.0f; }

// Music position of `beat`, clamped to the start of the music.
int32_t musicMsOf(const Demo& demo, float beat) { return std::max(0, beatToMs(demo, beat)); }

} // namespace

int32_t beatToMs(const Demo& demo, float beat) {
    if (!tempoIsUsable(demo))
        return 0;
    return truncToInt32((beat + demo.beat_offset) * 60000.0f / demo.bpm);
}

BeatClock::BeatClock() : ticks(SDL_GetTicks) {}

void BeatClock::anchor() { startTicks = ticks(); }

void BeatClock::advance(const Demo& demo) {
    if (paused || !tempoIsUsable(demo))
        return;
    const uint32_t elapsed = ticks() - startTicks; // wraps like the tick counter
    currentBeat = static_cast<float>(elapsed) * demo.bpm / 60000.0f - demo.beat_offset;
}

void BeatClock::togglePause(const Demo& demo) {
    paused = !paused;
    if (paused) {
        Mix_PauseMusic();
        return;
    }
    // A beat typed or sought while paused is where playback continues. Clamped like a
    // seek: an anchor in the future would make the elapsed time wrap to a huge beat.
    if (tempoIsUsable(demo))
        startTicks = ticks() - static_cast<uint32_t>(musicMsOf(demo, currentBeat));
    Mix_ResumeMusic();
}

void BeatClock::seekToBeat(const Demo& demo, float beat) {
    currentBeat = beat;
    if (!tempoIsUsable(demo))
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
