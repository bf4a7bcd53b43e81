#include "audio/SampleSound.h"

#include "audio/AudioDevice.h"
#include "project/MediaLimits.h"

#include <SDL.h>

#include <atomic>
#include <climits>

namespace {

constexpr int fullMusicVolume = 128;
constexpr int duckedMusicVolume = 100;

// Set while a ducking timer is pending. The timer carries no sample, so releasing
// a sample can never leave a timer pointing at it.
std::atomic<bool> duckPending{false};

// Runs on SDL's timer thread, once.
Uint32 SDLCALL endDucking(Uint32, void*) {
    Mix_VolumeMusic(fullMusicVolume);
    duckPending = false;
    return 0;
}

} // namespace

bool duckingPending() { return duckPending; }

SampleSound::~SampleSound() { release(); }

void SampleSound::release() {
    if (chunk)
        Mix_FreeChunk(chunk);
    chunk = nullptr;
    durationMs = 0;
}

std::optional<std::string> SampleSound::loadChunk(std::span<const uint8_t> bytes) {
    release();
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::nullopt;
    if (std::optional<std::string> refusal = sampleRefusal(bytes))
        return refusal;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    if (chunk) {
        const uint64_t byteCount = chunk->alen;
        durationMs = static_cast<uint32_t>(byteCount * 500 / static_cast<uint64_t>(mixerChannels) /
                                           static_cast<uint64_t>(mixerFrequency));
    }
    return std::nullopt;
}

bool SampleSound::playing() const { return static_cast<int32_t>(playingUntil_ - SDL_GetTicks()) > 0; }

void SampleSound::play() {
    if (playing())
        return;
    playingUntil_ = SDL_GetTicks() + durationMs;
    Mix_VolumeMusic(duckedMusicVolume);
    if (chunk)
        Mix_PlayChannelTimed(-1, chunk, 0, -1);
    // The first sample's length decides when the music comes back, whatever else starts meanwhile.
    if (!duckPending.exchange(true) && SDL_AddTimer(durationMs, endDucking, nullptr) == 0)
        endDucking(0, nullptr);
}
