// The project root: it owns every project object in ordered lists, the music
// and the tempo settings. It is plain data: the GL objects, fonts and mixer
// chunks of a running project live in the render and audio caches built from it.
//
// Objects refer to one another with plain pointers, valid while their Demo lives.
// The JSON form refers by name, the binary form by identity token; both readers
// resolve references once every object exists, and a name or token that matches
// nothing gives a null reference.
#pragma once

#include "project/AudioSample.h"
#include "project/ByteBuffer.h"
#include "project/Effect.h"
#include "project/Event.h"
#include "project/EventGroup.h"
#include "project/Font.h"
#include "project/FontTexture.h"
#include "project/ISerializable.h"
#include "project/LoadProgress.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Demo : public ISerializable {
public:
    std::vector<std::unique_ptr<Event>> events; // list order is layer order
    std::vector<std::unique_ptr<Effect>> effects;
    std::vector<std::unique_ptr<ShaderProgram>> shaders;
    std::vector<std::unique_ptr<Texture>> textures;
    std::vector<std::unique_ptr<AudioSample>> audio_samples;
    std::vector<std::unique_ptr<EventGroup>> event_groups;
    std::vector<std::unique_ptr<Font>> fonts;
    std::vector<std::unique_ptr<FontTexture>> font_textures;
    std::unique_ptr<ByteBuffer> music = std::make_unique<ByteBuffer>(); // the music file's bytes
    float end_beat = 480.0f;                                            // beat at which a player stops
    float bpm = 130.0f;                                                 // tempo, beats per minute
    float beat_offset = 0.5f; // beats between the start of the music and beat 0
    uint64_t loadTotal = 0;   // objects in the lists when loaded; denominator of load progress
    // References of the last load whose name or token matched no object (null ones are not listed).
    std::vector<std::string> unresolvedReferences;

    // Objects in the eight lists.
    uint64_t objectCount() const;

    // With `projectForm` the music and every object's bytes stay out of the text
    // (they are the project's resource files, see projectResourceFiles);
    // otherwise everything is inline. Writes no file.
    JsonValue toJson(bool projectForm) const override;
    // Tokens are numbered in list order, so the same project gives the same bytes.
    // Throws SaveError when an object cannot be written in this form.
    void writeBinary(BinaryWriter& stream) const override;
    // Both readers expect an empty Demo. They throw LoadError (a list the project
    // cannot do without is missing, or a resource file is) or CodecError (damaged
    // data); the Demo is then half-built and must be discarded.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
    // The same, reporting progress after every object.
    void readJson(const JsonValue& value, const LoadProgress& report);
    void readBinary(BinaryReader& stream, const LoadProgress& report);
};
