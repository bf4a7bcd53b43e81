// The project root: it owns every project object in ordered lists, the tempo
// settings and the transport state. Exactly one Demo is current at a time
// (`theDemo`); a load replaces it.
//
// Objects refer to one another with plain pointers, valid while their Demo lives.
#pragma once

#include "audio/AudioSample.h"
#include "project/ByteBuffer.h"
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
#include <vector>

class Demo {
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
    float end_beat = 480.0f;   // beat at which a player stops
    float bpm = 130.0f;        // tempo, beats per minute
    float beat_offset = 0.5f;  // beats between the start of the music and beat 0
    std::unique_ptr<Texture> soundTexture; // the analysis rows given to shaders; needs GL
    bool paused = false;       // transport state, not saved
    uint64_t loadTotal = 0;    // objects in the lists when loaded; denominator of load progress
    SceneFramebuffer sceneFramebuffer; // where frames are composed when effects capture

    // Creates the sound texture of a project that becomes current, which ends any
    // loop the transport was playing in the previous one.
    void createSoundTexture();
};

// The one open project, set at start-up and by every load.
extern Demo* theDemo;
