// The mixer side of an audio sample: its sound decoded into a mixer chunk, and
// when it was last started. While a sample plays the music is lowered a little
// (ducking) and restored once the sample that lowered it has ended.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class LiveMix;

class SampleSound {
public:
    Mix_Chunk* chunk = nullptr; // the decoded sound; null when the mixer cannot decode the bytes
    uint32_t durationMs = 0;    // playing time of the decoded sound

    SampleSound() = default;
    // Stops the sound if it is still playing.
    ~SampleSound();
    SampleSound(const SampleSound&) = delete;
    SampleSound& operator=(const SampleSound&) = delete;

    // Replaces the sound with the one in `bytes` (WAV, or any format the mixer
    // decodes) and works out its duration. Bytes that would decode to more than
    // a sample may take are not decoded; the reason is returned.
    std::optional<std::string> loadChunk(std::span<const uint8_t> bytes);
    // Starts the sound on the first free channel and lowers the music through
    // `mix`, unless it is still playing from an earlier start.
    void play(LiveMix& mix);
    // True from a start until the sound's duration has passed.
    bool playing() const;

private:
    void release();

    uint32_t playingUntil_ = 0; // ticks at which the last start has played out
};
