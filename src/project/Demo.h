// The project root: it owns every project object in ordered lists, the music,
// the tempo settings and the transport state. Exactly one Demo is current at a
// time (`theDemo`); a load builds a new one and replaces it.
//
// Objects refer to one another with plain pointers, valid while their Demo lives.
// The JSON form refers by name, the binary form by identity token; both readers
// resolve references once every object exists, and a name or token that matches
// nothing gives a null reference.
#pragma once

#include "audio/AudioSample.h"
#include "project/ByteBuffer.h"
#include "project/ISerializable.h"
#include "render/Effect.h"
#include "render/Font.h"
#include "render/FontTexture.h"
#include "render/SceneFramebuffer.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "timeline/Event.h"
#include "timeline/EventGroup.h"

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
    float beat_offset = 0.5f;              // beats between the start of the music and beat 0
    std::unique_ptr<Texture> soundTexture; // the analysis rows given to shaders; needs GL
    bool paused = false;                   // transport state, not saved
    uint64_t loadTotal = 0;                // objects in the lists when loaded; denominator of load progress
    SceneFramebuffer sceneFramebuffer;     // where frames are composed when effects capture
    // References of the last load whose name or token matched no object (null ones are not listed).
    std::vector<std::string> unresolvedReferences;

    // Creates the sound texture of a project that becomes current, which ends any
    // loop the transport was playing in the previous one.
    void createSoundTexture();
    // Objects in the eight lists.
    uint64_t objectCount() const;

    // With `projectForm` the music goes to "resources/music.mp3" and every object
    // writes its resource files; otherwise everything is inline.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // Both readers expect an empty Demo. They throw LoadError (a list the project
    // cannot do without is missing, or a resource file is) or CodecError (damaged
    // data); the Demo is then half-built and must be discarded.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};

// The one open project, set at start-up and by every load.
extern Demo* theDemo;
