#include "audio/Music.h"

#include "audio/LiveMix.h"
#include "project/ByteBuffer.h"
#include "project/MediaLimits.h"

#include <SDL_mixer.h>

#include <climits>
#include <cstring>

namespace {

Mix_Music* currentMusic = nullptr;

} // namespace

void stopMusic() {
    if (!currentMusic)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(currentMusic);
    currentMusic = nullptr;
}

std::optional<std::string> musicProblem(const ByteBuffer& music) {
    if (music.size() > INT_MAX)
        return "it is larger than any music may be";
    if (std::optional<std::string> refusal = musicRefusal(music.data))
        return refusal;
    SDL_RWops* stream = SDL_RWFromConstMem(music.data.data(), static_cast<int>(music.size()));
    Mix_Music* decoded = stream ? Mix_LoadMUS_RW(stream, 1) : nullptr;
    if (!decoded)
        return std::string("the mixer cannot play it (") + Mix_GetError() + ")";
    Mix_FreeMusic(decoded);
    return std::nullopt;
}

std::optional<std::string> startMusic(LiveMix& mix, const ByteBuffer& music, bool loopForever) {
    stopMusic();
    if (music.data.empty() || music.size() > INT_MAX)
        return std::nullopt;
    if (std::optional<std::string> refusal = musicRefusal(music.data))
        return refusal;
    SDL_RWops* stream = SDL_RWFromConstMem(music.data.data(), static_cast<int>(music.size()));
    currentMusic = stream ? Mix_LoadMUS_RW(stream, 1) : nullptr;
    mix.hookIntoMixer();
    if (currentMusic)
        Mix_PlayMusic(currentMusic, loopForever ? -1 : 0);
    return std::nullopt;
}

std::vector<int16_t> decodeMusic(std::span<const uint8_t> bytes, std::string& problem) {
    if (bytes.empty())
        return {};
    if (std::optional<std::string> refusal = musicRefusal(bytes)) {
        problem = *refusal;
        return {};
    }
    SDL_RWops* stream =
        bytes.size() <= INT_MAX ? SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())) : nullptr;
    Mix_Chunk* chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    if (!chunk) {
        problem = std::string("the music cannot be decoded: ") + Mix_GetError();
        return {};
    }
    std::vector<int16_t> music(chunk->alen / 2);
    std::memcpy(music.data(), chunk->abuf, music.size() * 2);
    Mix_FreeChunk(chunk);
    return music;
}
