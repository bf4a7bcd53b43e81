#include "project/AudioSample.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ResourceFiles.h"

AudioSample::AudioSample(const std::string& path) : audioBuffer(readResourceFile(path)), name(path) {}

AudioSample::AudioSample(std::string sampleName, std::span<const uint8_t> bytes)
    : audioBuffer(std::make_unique<ByteBuffer>(bytes)), name(std::move(sampleName)) {}

JsonValue AudioSample::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"name", name}});
    if (!projectForm)
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
    edits.touch();
}

void AudioSample::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    audioBuffer = std::make_unique<ByteBuffer>(stream);
    edits.touch();
}
