// A short sound stored in the project (a WAV file, or the loader's jingle), fired
// by audio-sample events or by hand. While a sample plays the music is lowered a
// little (ducking) and restored once the sample that lowered it has ended.
#pragma once

#include "project/ByteBuffer.h"
#include "project/ISerializable.h"

#include <SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

class AudioSample : public ISerializable {
public:
    std::unique_ptr<ByteBuffer> audioBuffer = std::make_unique<ByteBuffer>(); // the encoded file
    Mix_Chunk* chunk = nullptr; // the decoded sound; null when the mixer cannot decode the bytes
    std::string name;           // the file's path, e.g. "resources/kick.wav"; its reference name
    uint32_t durationMs = 0;    // playing time of the decoded sound

    AudioSample() = default;
    // Imported from the file at `path`. Throws LoadError when it cannot be read.
    explicit AudioSample(const std::string& path);
    AudioSample(std::string name, std::span<const uint8_t> bytes);
    // Stops the sound if it is still playing.
    ~AudioSample() override;
    AudioSample(const AudioSample&) = delete;
    AudioSample& operator=(const AudioSample&) = delete;

    // Decodes the bytes and works out the duration.
    void loadChunk();
    // Starts the sound on the first free channel and lowers the music, unless the
    // sample is still playing from an earlier start.
    void play();
    // True from a start until the sample's duration has passed.
    bool playing() const;

    // With `projectForm` the bytes are first written to the file `name` and the
    // object holds only "name"; otherwise "audio_buffer" holds them too.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // The bytes of "audio_buffer", else of the file `name`; then decodes.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;

private:
    uint32_t playingUntil_ = 0; // ticks at which the last start has played out
};

// True while the music is lowered for a sample.
bool duckingPending();
