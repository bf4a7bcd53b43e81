#include "project/DemoCopy.h"

#include <unordered_map>

namespace {

// Where each object of the original went in the copy.
template <typename T> using CopyOf = std::unordered_map<const T*, T*>;

template <typename T> T* copied(const CopyOf<T>& copies, const T* original) {
    const auto found = copies.find(original);
    return found == copies.end() ? nullptr : found->second;
}

template <typename T> void remap(const CopyOf<T>& copies, std::vector<T*>& references) {
    for (T*& reference : references)
        reference = copied(copies, reference);
}

std::unique_ptr<ByteBuffer> copyBuffer(const ByteBuffer& buffer) { return std::make_unique<ByteBuffer>(buffer); }

// The classes that own byte buffers or uniform definitions through unique
// pointers have no copy constructor; the others copy member by member.
template <typename T> std::unique_ptr<T> copyObject(const T& object) { return std::make_unique<T>(object); }

std::unique_ptr<Texture> copyObject(const Texture& texture) {
    return std::make_unique<Texture>(texture.name, texture.imageBuffer->data);
}

std::unique_ptr<AudioSample> copyObject(const AudioSample& sample) {
    return std::make_unique<AudioSample>(sample.name, sample.audioBuffer->data);
}

std::unique_ptr<Font> copyObject(const Font& font) {
    auto copy = std::make_unique<Font>();
    copy->name = font.name;
    copy->filename = font.filename;
    copy->ptsize = font.ptsize;
    copy->fontBuffer = copyBuffer(*font.fontBuffer);
    return copy;
}

std::unique_ptr<ShaderProgram> copyObject(const ShaderProgram& program) {
    auto copy = std::make_unique<ShaderProgram>();
    copy->vertexShaderSource = program.vertexShaderSource;
    copy->fragmentShaderSource = program.fragmentShaderSource;
    copy->vertexShaderFilename = program.vertexShaderFilename;
    copy->fragmentShaderFilename = program.fragmentShaderFilename;
    for (const auto& uniform : program.uniformDefs)
        copy->uniformDefs.push_back(std::make_unique<UniformDef>(*uniform));
    return copy;
}

template <typename T>
CopyOf<T> copyList(const std::vector<std::unique_ptr<T>>& from, std::vector<std::unique_ptr<T>>& to) {
    CopyOf<T> copies;
    to.reserve(from.size());
    for (const auto& object : from) {
        to.push_back(copyObject(*object));
        copies.emplace(object.get(), to.back().get());
    }
    return copies;
}

} // namespace

std::unique_ptr<Demo> copyDemo(const Demo& demo) {
    auto copy = std::make_unique<Demo>();
    const CopyOf<Event> events = copyList(demo.events, copy->events);
    const CopyOf<Effect> effects = copyList(demo.effects, copy->effects);
    const CopyOf<ShaderProgram> shaders = copyList(demo.shaders, copy->shaders);
    const CopyOf<Texture> textures = copyList(demo.textures, copy->textures);
    const CopyOf<AudioSample> samples = copyList(demo.audio_samples, copy->audio_samples);
    const CopyOf<EventGroup> groups = copyList(demo.event_groups, copy->event_groups);
    const CopyOf<Font> fonts = copyList(demo.fonts, copy->fonts);
    const CopyOf<FontTexture> fontTextures = copyList(demo.font_textures, copy->font_textures);

    // The copied objects still point at the original's objects: redirect them.
    for (auto& event : copy->events) {
        event->effect = copied(effects, event->effect);
        event->audioSample = copied(samples, event->audioSample);
        event->group = copied(groups, event->group);
    }
    for (auto& effect : copy->effects) {
        effect->program = copied(shaders, effect->program);
        remap(textures, effect->textures);
        remap(effects, effect->effects);
        remap(fontTextures, effect->fontTextures);
    }
    for (auto& fontTexture : copy->font_textures)
        fontTexture->font = copied(fonts, fontTexture->font);
    for (auto& group : copy->event_groups)
        remap(events, group->events);

    copy->music = copyBuffer(*demo.music);
    copy->end_beat = demo.end_beat;
    copy->bpm = demo.bpm;
    copy->beat_offset = demo.beat_offset;
    copy->loadTotal = demo.loadTotal;
    copy->unresolvedReferences = demo.unresolvedReferences;
    return copy;
}
