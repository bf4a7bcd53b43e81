#include "audio/AudioSample.h"

#include "audio/AudioDevice.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"
#include "project/RuntimeResources.h"

#include <SDL.h>

#include <atomic>
#include <climits>

namespace {

constexpr int fullMusicVolume = 128;
constexpr int duckedMusicVolume = 100;

// Set while a ducking timer is pending. The timer carries no sample, so deleting
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

AudioSample::AudioSample(const std::string& path) : audioBuffer(readResourceFile(path)), name(path) { loadChunk(); }

AudioSample::AudioSample(std::string sampleName, std::span<const uint8_t> bytes)
    : audioBuffer(std::make_unique<ByteBuffer>(bytes)), name(std::move(sampleName)) {
    loadChunk();
}

AudioSample::~AudioSample() {
    if (chunk)
        Mix_FreeChunk(chunk);
}

void AudioSample::loadChunk() {
    if (chunk)
        Mix_FreeChunk(chunk);
    chunk = nullptr;
    durationMs = 0;
    if (!runtimeResourcesEnabled() || audioBuffer->data.empty() || audioBuffer->size() > INT_MAX)
        return;
    SDL_RWops* stream = SDL_RWFromConstMem(audioBuffer->data.data(), static_cast<int>(audioBuffer->size()));
    chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    if (chunk) {
        const uint64_t bytes = chunk->alen;
        durationMs = static_cast<uint32_t>(bytes * 500 / static_cast<uint64_t>(mixerChannels) /
                                           static_cast<uint64_t>(mixerFrequency));
    }
}

bool AudioSample::playing() const { return static_cast<int32_t>(playingUntil_ - SDL_GetTicks()) > 0; }

void AudioSample::play() {
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

JsonValue AudioSample::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}});
    if (projectForm)
        writeResourceFile(name, audioBuffer->data);
    else
        object.member("audio_buffer") = audioBuffer->toJson(projectForm);
    return object;
}

void AudioSample::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    audioBuffer->writeBinary(stream);
}

void AudioSample::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    if (value.contains("audio_buffer"))
        audioBuffer = std::make_unique<ByteBuffer>(value.get("audio_buffer"));
    else
        audioBuffer = readResourceFile(name);
    loadChunk();
}

void AudioSample::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    audioBuffer = std::make_unique<ByteBuffer>(stream);
    loadChunk();
}
