// A short sound stored in the project (a WAV file, or the loader's jingle), fired
// by audio-sample events or by hand. The audio cache decodes and plays it.
#pragma once

#include "project/ByteBuffer.h"
#include "project/EditMark.h"
#include "project/ISerializable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class AudioSample : public ISerializable {
public:
    std::unique_ptr<ByteBuffer> audioBuffer = std::make_unique<ByteBuffer>(); // the encoded file
    std::string name; // the file's path, e.g. "resources/kick.wav"; its reference name
    EditMark edits;   // touched when the bytes change

    AudioSample() = default;
    // Imported from the file at `path`. Throws LoadError when it cannot be read.
    explicit AudioSample(const std::string& path);
    AudioSample(std::string name, std::span<const uint8_t> bytes);

    // With `projectForm` the object holds only "name" (the bytes are among the
    // project's resource files); otherwise "audio_buffer" holds them too.
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the name's length and the file's size.
    static constexpr size_t minBinaryBytes = 8 + 8;
    void writeBinary(BinaryWriter& stream) const override;
    // The bytes of "audio_buffer", else of the file `name`.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
