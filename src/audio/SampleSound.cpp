#include "audio/SampleSound.h"

#include "audio/AudioDevice.h"
#include "audio/LiveMix.h"
#include "project/MediaLimits.h"

#include <SDL.h>

#include <climits>

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
        durationMs = static_cast<uint32_t>(byteCount * 500 / static_cast<uint64_t>(mixChannels) /
                                           static_cast<uint64_t>(mixRate));
    }
    return std::nullopt;
}

bool SampleSound::playing() const { return static_cast<int32_t>(playingUntil_ - SDL_GetTicks()) > 0; }

void SampleSound::play(LiveMix& mix) {
    if (playing())
        return;
    playingUntil_ = SDL_GetTicks() + durationMs;
    mix.duck(durationMs);
    if (chunk)
        Mix_PlayChannelTimed(-1, chunk, 0, -1);
}
