#include "project/Demo.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/LoadError.h"
#include "project/LoadProgress.h"
#include "project/ResourceFiles.h"

#include <cstdio>
#include <map>

namespace {

// ---------------------------------------------------------------------------
// Shared by both readers
// ---------------------------------------------------------------------------

// Counts objects as a reader creates them, for the loader's progress.
class Progress {
public:
    Progress(uint64_t total, const LoadProgress& report) : total_(total), report_(report) {}
    void objectCreated() { report(created_++); }
    void finished() { report(total_); }

private:
    void report(uint64_t read) const {
        if (report_)
            report_(read, total_);
    }

    uint64_t created_ = 0;
    uint64_t total_;
    const LoadProgress& report_;
};

template <typename T> T* append(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> object) {
    list.push_back(std::move(object));
    return list.back().get();
}

// ---------------------------------------------------------------------------
// JSON form: references by name
// ---------------------------------------------------------------------------

// Objects of one class by name; a later object with the same name replaces the earlier.
template <typename T> class NameTable {
public:
    NameTable(const char* what, std::vector<std::string>& unresolved) : what_(what), unresolved_(unresolved) {}

    void add(T* object) { byName_[object->name] = object; }
    void add(const std::string& name, T* object) { byName_[name] = object; }
    // The object named `name`; null for "" (a null reference) and for names nothing bears.
    T* find(const std::string& name) const {
        const auto found = byName_.find(name);
        if (found != byName_.end())
            return found->second;
        if (!name.empty())
            unresolved_.push_back(std::string(what_) + " \"" + name + "\" not found");
        return nullptr;
    }
    T* find(const JsonValue& name) const { return find(name.asString()); }

private:
    const char* what_;
    std::vector<std::string>& unresolved_;
    std::map<std::string, T*, std::less<>> byName_;
};

// The lists a project cannot do without; the other three may be absent.
const JsonValue& requiredList(const JsonValue& project, const char* key) {
    const JsonValue& list = project.get(key);
    if (list.kind() != JsonKind::Array)
        throw LoadError(LoadErrorKind::NotAProject, std::string("Not a project: the \"") + key + "\" list is missing");
    return list;
}

// Builds, registers and appends one object per element, for the classes whose
// elements need nothing else.
template <typename T>
void readJsonList(const JsonValue& elements, std::vector<std::unique_ptr<T>>& list, NameTable<T>& names,
                  Progress& progress) {
    for (const JsonValue& element : elements.elements()) {
        auto object = std::make_unique<T>();
        object->fromJson(element);
        names.add(append(list, std::move(object)));
        progress.objectCreated();
    }
}

template <typename T> JsonValue arrayOf(const std::vector<std::unique_ptr<T>>& list, bool projectForm) {
    JsonValue array = JsonValue::makeArray();
    for (const auto& object : list)
        array.append(object->toJson(projectForm));
    return array;
}

// ---------------------------------------------------------------------------
// Binary form: references by identity token
// ---------------------------------------------------------------------------

// Objects of one class by token. One table per class, so a damaged file whose
// tokens repeat across classes can never make a reference point at an object
// of another class.
template <typename T> class IdentityTable {
public:
    IdentityTable(const char* what, std::vector<std::string>& unresolved) : what_(what), unresolved_(unresolved) {}

    void add(ObjectId id, T* object) { byId_[id] = object; }
    T* find(ObjectId id) const {
        const auto found = byId_.find(id);
        if (found != byId_.end())
            return found->second;
        if (id != ObjectId::Null) {
            char token[32];
            std::snprintf(token, sizeof token, "%llx", static_cast<unsigned long long>(id));
            unresolved_.push_back(std::string(what_) + " #" + token + " not found");
        }
        return nullptr;
    }
    template <typename Reference> void resolve(std::vector<Reference*>& into, const std::vector<ObjectId>& ids) const {
        into.clear();
        for (ObjectId id : ids)
            into.push_back(find(id));
    }

private:
    const char* what_;
    std::vector<std::string>& unresolved_;
    std::map<ObjectId, T*> byId_;
};

// Smallest records, so a count can be checked against the bytes left before
// anything is built: an 8-byte token plus the fixed part of each class's record.
constexpr size_t minEventBytes = 8 + 1 + 8;
constexpr size_t minEffectBytes = 8 + 3 * 8 + 8 + 8 + 2;
constexpr size_t minShaderBytes = 8 + 4 * 8 + 8;
constexpr size_t minTextureBytes = 8 + 8 + 8;
constexpr size_t minSampleBytes = 8 + 8 + 8;
constexpr size_t minGroupBytes = 8 + 8 + 8;
constexpr size_t minFontBytes = 8 + 8 + 8 + 4 + 8;
constexpr size_t minFontTextureBytes = 8 + 8 + 4 + 4 + 8 + 1 + 4;

// Gives every object its token before any record refers to it, so tokens follow
// the order of the records.
template <typename T> void numberList(BinaryWriter& stream, const std::vector<std::unique_ptr<T>>& list) {
    for (const auto& object : list)
        stream.tokenOf(object.get());
}

template <typename T> void writeList(BinaryWriter& stream, const std::vector<std::unique_ptr<T>>& list) {
    stream.writeCount(list.size());
    for (const auto& object : list) {
        stream.writeReference(object.get());
        object->writeBinary(stream);
    }
}

template <typename T>
void readList(BinaryReader& stream, size_t minRecordBytes, std::vector<std::unique_ptr<T>>& list,
              IdentityTable<T>& identities, Progress& progress) {
    const uint64_t count = stream.readCount(minRecordBytes);
    for (uint64_t i = 0; i < count; ++i) {
        const ObjectId id = stream.readObjectId();
        auto object = std::make_unique<T>();
        object->readBinary(stream);
        identities.add(id, append(list, std::move(object)));
        progress.objectCreated();
    }
}

} // namespace

uint64_t Demo::objectCount() const {
    return events.size() + effects.size() + shaders.size() + textures.size() + audio_samples.size() +
           event_groups.size() + fonts.size() + font_textures.size();
}

JsonValue Demo::toJson(bool projectForm) const {
    JsonValue project = JsonValue::makeObject({{"events", arrayOf(events, projectForm)},
                                               {"effects", arrayOf(effects, projectForm)},
                                               {"shaders", arrayOf(shaders, projectForm)},
                                               {"textures", arrayOf(textures, projectForm)},
                                               {"audio_samples", arrayOf(audio_samples, projectForm)},
                                               {"event_groups", arrayOf(event_groups, projectForm)},
                                               {"fonts", arrayOf(fonts, projectForm)},
                                               {"font_textures", arrayOf(font_textures, projectForm)}});
    if (!projectForm)
        project.member("music") = music->toJson(projectForm);
    project.member("end_beat") = end_beat;
    project.member("bpm") = bpm;
    project.member("beat_offset") = beat_offset;
    return project;
}

void Demo::fromJson(const JsonValue& value) { readJson(value, {}); }

void Demo::readJson(const JsonValue& value, const LoadProgress& report) {
    const JsonValue& textureList = requiredList(value, "textures");
    const JsonValue& shaderList = requiredList(value, "shaders");
    const JsonValue& effectList = requiredList(value, "effects");
    const JsonValue& groupList = requiredList(value, "event_groups");
    const JsonValue& eventList = requiredList(value, "events");
    const JsonValue& fontList = value.get("fonts");
    const JsonValue& fontTextureList = value.get("font_textures");
    const JsonValue& sampleList = value.get("audio_samples");
    loadTotal = static_cast<uint64_t>(textureList.count() + shaderList.count() + effectList.count() +
                                      groupList.count() + eventList.count()) +
                fontList.elements().size() + fontTextureList.elements().size() + sampleList.elements().size();
    Progress progress(loadTotal, report);
    unresolvedReferences.clear();
    NameTable<Texture> textureNames("texture", unresolvedReferences);
    NameTable<ShaderProgram> shaderNames("shader", unresolvedReferences);
    NameTable<Font> fontNames("font", unresolvedReferences);
    NameTable<FontTexture> fontTextureNames("font texture", unresolvedReferences);
    NameTable<Effect> effectNames("effect", unresolvedReferences);
    NameTable<AudioSample> sampleNames("audio sample", unresolvedReferences);
    NameTable<EventGroup> groupNames("event group", unresolvedReferences);
    NameTable<Event> eventNames("event", unresolvedReferences);

    readJsonList(textureList, textures, textureNames, progress);
    for (const JsonValue& element : shaderList.elements()) {
        auto shader = std::make_unique<ShaderProgram>();
        shader->fromJson(element);
        shaderNames.add(shader->fragmentShaderFilename, shader.get());
        append(shaders, std::move(shader));
        progress.objectCreated();
    }
    readJsonList(fontList, fonts, fontNames, progress);
    for (const JsonValue& element : fontTextureList.elements()) {
        auto text = std::make_unique<FontTexture>();
        text->fromJson(element);
        fontTextureNames.add(text.get());
        text->font = fontNames.find(element.get("font"));
        append(font_textures, std::move(text));
        progress.objectCreated();
    }
    readJsonList(effectList, effects, effectNames, progress);
    // Into the effect registered under the element's name: with two effects of one
    // name, the later one receives both elements' references.
    for (const JsonValue& element : effectList.elements()) {
        Effect* effect = effectNames.find(element.get("name"));
        if (!effect)
            continue;
        for (const JsonValue& name : element.get("effects").elements())
            effect->effects.push_back(effectNames.find(name));
        for (const JsonValue& name : element.get("textures").elements())
            effect->textures.push_back(textureNames.find(name));
        for (const JsonValue& name : element.get("font_textures").elements())
            effect->fontTextures.push_back(fontTextureNames.find(name));
        effect->program = shaderNames.find(element.get("program"));
    }
    readJsonList(sampleList, audio_samples, sampleNames, progress);
    readJsonList(groupList, event_groups, groupNames, progress);
    readJsonList(eventList, events, eventNames, progress);
    for (const JsonValue& element : eventList.elements()) {
        Event* event = eventNames.find(element.get("name"));
        if (!event)
            continue;
        if (event->type == EffectEvent)
            event->effect = effectNames.find(element.get("effect"));
        else if (event->type == AudioSampleEvent)
            event->audioSample = sampleNames.find(element.get("audio_sample"));
        else if (event->type == GroupEvent)
            event->group = groupNames.find(element.get("group"));
    }
    for (const JsonValue& element : groupList.elements()) {
        EventGroup* group = groupNames.find(element.get("name"));
        if (!group)
            continue;
        for (const JsonValue& name : element.get("events").elements())
            group->events.push_back(eventNames.find(name));
    }
    music =
        value.contains("music") ? std::make_unique<ByteBuffer>(value.get("music")) : readResourceFile(musicFileName);
    end_beat = static_cast<float>(value.get("end_beat").asFloat());
    bpm = static_cast<float>(value.get("bpm").asFloat());
    beat_offset = static_cast<float>(value.get("beat_offset").asFloat());
    progress.finished();
}

void Demo::writeBinary(BinaryWriter& stream) const {
    numberList(stream, events);
    numberList(stream, effects);
    numberList(stream, shaders);
    numberList(stream, textures);
    numberList(stream, audio_samples);
    numberList(stream, event_groups);
    numberList(stream, fonts);
    numberList(stream, font_textures);
    stream.writeU64(objectCount());
    writeList(stream, events);
    writeList(stream, effects);
    writeList(stream, shaders);
    writeList(stream, textures);
    writeList(stream, audio_samples);
    writeList(stream, event_groups);
    writeList(stream, fonts);
    writeList(stream, font_textures);
    music->writeBinary(stream);
    stream.writeF32(end_beat);
    stream.writeF32(bpm);
    stream.writeF32(beat_offset);
}

void Demo::readBinary(BinaryReader& stream) { readBinary(stream, {}); }

void Demo::readBinary(BinaryReader& stream, const LoadProgress& report) {
    loadTotal = stream.readU64();
    Progress progress(loadTotal, report);
    unresolvedReferences.clear();
    IdentityTable<Event> eventIds("event", unresolvedReferences);
    IdentityTable<Effect> effectIds("effect", unresolvedReferences);
    IdentityTable<ShaderProgram> shaderIds("shader", unresolvedReferences);
    IdentityTable<Texture> textureIds("texture", unresolvedReferences);
    IdentityTable<AudioSample> sampleIds("audio sample", unresolvedReferences);
    IdentityTable<EventGroup> groupIds("event group", unresolvedReferences);
    IdentityTable<Font> fontIds("font", unresolvedReferences);
    IdentityTable<FontTexture> fontTextureIds("font texture", unresolvedReferences);

    readList(stream, minEventBytes, events, eventIds, progress);
    readList(stream, minEffectBytes, effects, effectIds, progress);
    readList(stream, minShaderBytes, shaders, shaderIds, progress);
    readList(stream, minTextureBytes, textures, textureIds, progress);
    readList(stream, minSampleBytes, audio_samples, sampleIds, progress);
    readList(stream, minGroupBytes, event_groups, groupIds, progress);
    readList(stream, minFontBytes, fonts, fontIds, progress);
    readList(stream, minFontTextureBytes, font_textures, fontTextureIds, progress);
    music = std::make_unique<ByteBuffer>(stream);

    for (const auto& event : events) {
        if (event->type == EffectEvent)
            event->effect = effectIds.find(event->referenceId);
        else if (event->type == AudioSampleEvent)
            event->audioSample = sampleIds.find(event->referenceId);
        else if (event->type == GroupEvent)
            event->group = groupIds.find(event->referenceId);
        event->referenceId = ObjectId::Null;
    }
    for (const auto& effect : effects) {
        EffectReferenceIds& ids = effect->referenceIds;
        effectIds.resolve(effect->effects, ids.effects);
        textureIds.resolve(effect->textures, ids.textures);
        fontTextureIds.resolve(effect->fontTextures, ids.fontTextures);
        effect->program = shaderIds.find(ids.program);
        ids = EffectReferenceIds();
    }
    for (const auto& group : event_groups) {
        eventIds.resolve(group->events, group->memberIds);
        group->memberIds.clear();
    }
    for (const auto& text : font_textures) {
        text->font = fontIds.find(text->fontId);
        text->fontId = ObjectId::Null;
    }
    end_beat = stream.readF32();
    bpm = stream.readF32();
    beat_offset = stream.readF32();
    progress.finished();
}
