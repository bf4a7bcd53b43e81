#include "audio/LiveMix.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>

namespace {

constexpr int fullMusicVolume = 128;
constexpr int duckedMusicVolume = 100;
constexpr int rowBytes = analysisSize * 4;

int16_t scaled(int16_t sample, int volume) { return static_cast<int16_t>(sample * volume / 128); }

} // namespace

LiveMix::~LiveMix() {
    if (hooked_)
        Mix_UnregisterEffect(MIX_CHANNEL_POST, analyse);
    if (const int timer = duckTimer_.exchange(0))
        SDL_RemoveTimer(timer);
}

void LiveMix::hookIntoMixer() {
    // Once only: the mixer would run every registered copy, scaling the volume again.
    if (!hooked_)
        hooked_ = Mix_RegisterEffect(MIX_CHANNEL_POST, analyse, nullptr, this) != 0;
}

void LiveMix::analyse(int, void* stream, int length, void* self) {
    static_cast<LiveMix*>(self)->analyseBuffer(static_cast<int16_t*>(stream), length);
}

void LiveMix::analyseBuffer(int16_t* samples, int length) {
    lastBufferBytes_.store(length, std::memory_order_relaxed);
    RowExchange::Rows& rows = rows_.back();
    // Texels a short buffer does not reach keep their last value.
    std::memcpy(rows.data() + rowBytes, rows_.lastPublished().data() + rowBytes, rowBytes);
    analyser_.analyse(samples, length / 4, rows.data());
    rows_.publish();

    const int scale = volume.load(std::memory_order_relaxed);
    const int values = length / 2;
    for (int v = 0; v < values; ++v)
        samples[v] = scaled(samples[v], scale);
    level_.store(loudnessOf(samples, values), std::memory_order_relaxed);
}

void LiveMix::duck(uint32_t durationMs) {
    Mix_VolumeMusic(duckedMusicVolume);
    if (duckPending_.exchange(true))
        return;
    const SDL_TimerID timer = SDL_AddTimer(durationMs, endDucking, this);
    duckTimer_ = timer;
    if (timer == 0)
        endDucking(0, this);
}

// Runs on SDL's timer thread, once.
uint32_t LiveMix::endDucking(uint32_t, void* self) {
    LiveMix& mix = *static_cast<LiveMix*>(self);
    Mix_VolumeMusic(fullMusicVolume);
    mix.duckTimer_ = 0;
    mix.duckPending_ = false;
    return 0;
}
