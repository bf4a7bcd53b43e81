// The project root's readers and writers. Each of the eight lists is described
// once, by its row in the table of lists: its JSON key, its member, what JSON
// references call its objects, its name and identity tables, and the code that
// resolves its objects' references. The readers and writers walk the rows in the
// order of each form.
//
// Sections: shared by both readers; JSON form (NameTable); binary form
// (IdentityTable); the table of lists; one list in the JSON form; one list in the
// binary form; Demo.
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

// One table of each class for one read: NameTable in the JSON form, IdentityTable
// in the binary form. The texts name the class in unresolvedReferences.
template <template <typename> class Table> struct TablePerClass {
    std::vector<std::string>& unresolved;
    Table<Event> events{"event", unresolved};
    Table<Effect> effects{"effect", unresolved};
    Table<ShaderProgram> shaders{"shader", unresolved};
    Table<Texture> textures{"texture", unresolved};
    Table<AudioSample> samples{"audio sample", unresolved};
    Table<EventGroup> groups{"event group", unresolved};
    Table<Font> fonts{"font", unresolved};
    Table<FontTexture> fontTextures{"font texture", unresolved};
};

using NameTables = TablePerClass<NameTable>;
using IdentityTables = TablePerClass<IdentityTable>;

// ---------------------------------------------------------------------------
// The table of lists: one row per list of the project
// ---------------------------------------------------------------------------

// What the readers and writers need to know of one of the project's lists. The
// least bytes of a record come from the class (T::minBinaryBytes).
template <typename T> struct ListRow {
    const char* key;                                // the list's key in the JSON form
    bool required;                                  // a JSON project without the list is refused
    std::vector<std::unique_ptr<T>> Demo::*objects; // the list
    std::string T::*referenceName;                  // what JSON references call an object
    NameTable<T> NameTables::*names;                // the class's table in a JSON read
    IdentityTable<T> IdentityTables::*identities;   // the class's table in a binary read
    // Turn what was read of an object's references into pointers once every object
    // exists; null for classes that refer to nothing. `built` is the object made from `element`.
    void (*resolveNames)(T& built, const JsonValue& element, const NameTables& names) = nullptr;
    void (*resolveTokens)(T& object, const IdentityTables& identities) = nullptr;
    // The JSON reader resolves the list's names right after building it, or with
    // this, after building every list: for a list that refers to one built after it.
    bool resolveNamesLast = false;
};

// The rows, in the order of the binary form, each after the code that resolves its
// references.

// The object that receives the references of the element `built` was made from:
// the one registered under its name (there is always one, `built` at least), so
// with two objects of one name the later one receives both elements' references.
template <typename T> T& receiverOf(const T& built, const NameTable<T>& names) { return *names.find(built.name); }

// Events: the one reference their type uses.

void resolveEventNames(Event& built, const JsonValue& element, const NameTables& names) {
    Event& event = receiverOf(built, names.events);
    if (event.type == EffectEvent)
        event.effect = names.effects.find(element.get("effect"));
    else if (event.type == AudioSampleEvent)
        event.audioSample = names.samples.find(element.get("audio_sample"));
    else if (event.type == GroupEvent)
        event.group = names.groups.find(element.get("group"));
}

void resolveEventTokens(Event& event, const IdentityTables& identities) {
    if (event.type == EffectEvent)
        event.effect = identities.effects.find(event.referenceId);
    else if (event.type == AudioSampleEvent)
        event.audioSample = identities.samples.find(event.referenceId);
    else if (event.type == GroupEvent)
        event.group = identities.groups.find(event.referenceId);
    event.referenceId = ObjectId::Null;
}

constexpr ListRow<Event> eventList{
    .key = "events",
    .required = true,
    .objects = &Demo::events,
    .referenceName = &Event::name,
    .names = &NameTables::events,
    .identities = &IdentityTables::events,
    .resolveNames = resolveEventNames,
    .resolveTokens = resolveEventTokens,
};

// Effects: input effects, textures, font textures and the program.

void resolveEffectNames(Effect& built, const JsonValue& element, const NameTables& names) {
    Effect& effect = receiverOf(built, names.effects);
    for (const JsonValue& name : element.get("effects").elements())
        effect.effects.push_back(names.effects.find(name));
    for (const JsonValue& name : element.get("textures").elements())
        effect.textures.push_back(names.textures.find(name));
    for (const JsonValue& name : element.get("font_textures").elements())
        effect.fontTextures.push_back(names.fontTextures.find(name));
    effect.program = names.shaders.find(element.get("program"));
}

void resolveEffectTokens(Effect& effect, const IdentityTables& identities) {
    EffectReferenceIds& ids = effect.referenceIds;
    identities.effects.resolve(effect.effects, ids.effects);
    identities.textures.resolve(effect.textures, ids.textures);
    identities.fontTextures.resolve(effect.fontTextures, ids.fontTextures);
    effect.program = identities.shaders.find(ids.program);
    ids = EffectReferenceIds();
}

constexpr ListRow<Effect> effectList{
    .key = "effects",
    .required = true,
    .objects = &Demo::effects,
    .referenceName = &Effect::name,
    .names = &NameTables::effects,
    .identities = &IdentityTables::effects,
    .resolveNames = resolveEffectNames,
    .resolveTokens = resolveEffectTokens,
};

// Shaders: effects refer to a program by its fragment shader's file name.

constexpr ListRow<ShaderProgram> shaderList{
    .key = "shaders",
    .required = true,
    .objects = &Demo::shaders,
    .referenceName = &ShaderProgram::fragmentShaderFilename,
    .names = &NameTables::shaders,
    .identities = &IdentityTables::shaders,
};

constexpr ListRow<Texture> textureList{
    .key = "textures",
    .required = true,
    .objects = &Demo::textures,
    .referenceName = &Texture::name,
    .names = &NameTables::textures,
    .identities = &IdentityTables::textures,
};

constexpr ListRow<AudioSample> sampleList{
    .key = "audio_samples",
    .required = false,
    .objects = &Demo::audio_samples,
    .referenceName = &AudioSample::name,
    .names = &NameTables::samples,
    .identities = &IdentityTables::samples,
};

// Event groups: their members, events the JSON reader builds after the groups.

void resolveGroupNames(EventGroup& built, const JsonValue& element, const NameTables& names) {
    EventGroup& group = receiverOf(built, names.groups);
    for (const JsonValue& name : element.get("events").elements())
        group.events.push_back(names.events.find(name));
}

void resolveGroupTokens(EventGroup& group, const IdentityTables& identities) {
    identities.events.resolve(group.events, group.memberIds);
    group.memberIds.clear();
}

constexpr ListRow<EventGroup> groupList{
    .key = "event_groups",
    .required = true,
    .objects = &Demo::event_groups,
    .referenceName = &EventGroup::name,
    .names = &NameTables::groups,
    .identities = &IdentityTables::groups,
    .resolveNames = resolveGroupNames,
    .resolveTokens = resolveGroupTokens,
    .resolveNamesLast = true,
};

constexpr ListRow<Font> fontList{
    .key = "fonts",
    .required = false,
    .objects = &Demo::fonts,
    .referenceName = &Font::name,
    .names = &NameTables::fonts,
    .identities = &IdentityTables::fonts,
};

// Font textures: the font, into the font texture built from the element even when
// a later one bears its name.
void resolveFontTextureNames(FontTexture& built, const JsonValue& element, const NameTables& names) {
    built.font = names.fonts.find(element.get("font"));
}

void resolveFontTextureTokens(FontTexture& text, const IdentityTables& identities) {
    text.font = identities.fonts.find(text.fontId);
    text.fontId = ObjectId::Null;
}

constexpr ListRow<FontTexture> fontTextureList{
    .key = "font_textures",
    .required = false,
    .objects = &Demo::font_textures,
    .referenceName = &FontTexture::name,
    .names = &NameTables::fontTextures,
    .identities = &IdentityTables::fontTextures,
    .resolveNames = resolveFontTextureNames,
    .resolveTokens = resolveFontTextureTokens,
};

// The lists in the order of the binary form, which is also the order in which the
// binary reader resolves their tokens.
template <typename Visit> void forEachList(Visit visit) {
    visit(eventList);
    visit(effectList);
    visit(shaderList);
    visit(textureList);
    visit(sampleList);
    visit(groupList);
    visit(fontList);
    visit(fontTextureList);
}

// The order in which the JSON reader builds the lists, and so reads their resource
// files: each after the lists its objects refer to, but event groups before events.
template <typename Visit> void forEachListInJsonOrder(Visit visit) {
    visit(textureList);
    visit(shaderList);
    visit(fontList);
    visit(fontTextureList);
    visit(effectList);
    visit(sampleList);
    visit(groupList);
    visit(eventList);
}

// ---------------------------------------------------------------------------
// One list in the JSON form
// ---------------------------------------------------------------------------

template <typename T> JsonValue arrayOf(const std::vector<std::unique_ptr<T>>& list, bool projectForm) {
    JsonValue array = JsonValue::makeArray();
    for (const auto& object : list)
        array.append(object->toJson(projectForm));
    return array;
}

// The list's elements in `project`; refused when the project cannot do without the list.
template <typename T> const JsonValue::Array& elementsOf(const JsonValue& project, const ListRow<T>& row) {
    const JsonValue& list = project.get(row.key);
    if (row.required && list.kind() != JsonKind::Array)
        throw LoadError(LoadErrorKind::NotAProject,
                        std::string("Not a project: the \"") + row.key + "\" list is missing");
    return list.elements();
}

// Builds, registers and appends one object per element.
template <typename T>
void buildList(const ListRow<T>& row, const JsonValue& project, Demo& demo, NameTables& names, Progress& progress) {
    for (const JsonValue& element : elementsOf(project, row)) {
        auto object = std::make_unique<T>();
        object->fromJson(element);
        T* added = append(demo.*row.objects, std::move(object));
        (names.*row.names).add(added->*row.referenceName, added);
        progress.objectCreated();
    }
}

// Hands every element to the row's resolver with the object built from it, which
// are the list's last objects.
template <typename T>
void resolveListNames(const ListRow<T>& row, const JsonValue& project, Demo& demo, const NameTables& names) {
    if (!row.resolveNames)
        return;
    const JsonValue::Array& elements = elementsOf(project, row);
    std::vector<std::unique_ptr<T>>& list = demo.*row.objects;
    const size_t first = list.size() - elements.size();
    for (size_t i = 0; i < elements.size(); ++i)
        row.resolveNames(*list[first + i], elements[i], names);
}

// ---------------------------------------------------------------------------
// One list in the binary form
// ---------------------------------------------------------------------------

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

// Each record is the object's token, then the class's own record; the count is
// checked against the bytes left before anything is built.
template <typename T>
void readList(const ListRow<T>& row, BinaryReader& stream, Demo& demo, IdentityTables& identities, Progress& progress) {
    const uint64_t count = stream.readCount(sizeof(ObjectId) + T::minBinaryBytes);
    for (uint64_t i = 0; i < count; ++i) {
        const ObjectId id = stream.readObjectId();
        auto object = std::make_unique<T>();
        object->readBinary(stream);
        (identities.*row.identities).add(id, append(demo.*row.objects, std::move(object)));
        progress.objectCreated();
    }
}

template <typename T> void resolveListTokens(const ListRow<T>& row, Demo& demo, const IdentityTables& identities) {
    if (!row.resolveTokens)
        return;
    for (const auto& object : demo.*row.objects)
        row.resolveTokens(*object, identities);
}

} // namespace

uint64_t Demo::objectCount() const {
    uint64_t count = 0;
    forEachList([&](const auto& row) { count += (this->*row.objects).size(); });
    return count;
}

JsonValue Demo::toJson(bool projectForm) const {
    JsonValue project = JsonValue::makeObject({});
    forEachList([&](const auto& row) { project.member(row.key) = arrayOf(this->*row.objects, projectForm); });
    if (!projectForm)
        project.member("music") = music->toJson(projectForm);
    project.member("end_beat") = end_beat;
    project.member("bpm") = bpm;
    project.member("beat_offset") = beat_offset;
    return project;
}

void Demo::fromJson(const JsonValue& value) { readJson(value, {}); }

void Demo::readJson(const JsonValue& value, const LoadProgress& report) {
    // Every list is looked up first, so a project missing one is refused before anything is built.
    uint64_t total = 0;
    forEachListInJsonOrder([&](const auto& row) { total += elementsOf(value, row).size(); });
    loadTotal = total;
    Progress progress(loadTotal, report);
    unresolvedReferences.clear();
    NameTables names{unresolvedReferences};
    forEachListInJsonOrder([&](const auto& row) {
        buildList(row, value, *this, names, progress);
        if (!row.resolveNamesLast)
            resolveListNames(row, value, *this, names);
    });
    forEachListInJsonOrder([&](const auto& row) {
        if (row.resolveNamesLast)
            resolveListNames(row, value, *this, names);
    });
    music =
        value.contains("music") ? std::make_unique<ByteBuffer>(value.get("music")) : readResourceFile(musicFileName);
    end_beat = static_cast<float>(value.get("end_beat").asFloat());
    bpm = static_cast<float>(value.get("bpm").asFloat());
    beat_offset = static_cast<float>(value.get("beat_offset").asFloat());
    progress.finished();
}

void Demo::writeBinary(BinaryWriter& stream) const {
    forEachList([&](const auto& row) { numberList(stream, this->*row.objects); });
    stream.writeU64(objectCount());
    forEachList([&](const auto& row) { writeList(stream, this->*row.objects); });
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
    IdentityTables identities{unresolvedReferences};
    forEachList([&](const auto& row) { readList(row, stream, *this, identities, progress); });
    music = std::make_unique<ByteBuffer>(stream);
    forEachList([&](const auto& row) { resolveListTokens(row, *this, identities); });
    end_beat = stream.readF32();
    bpm = stream.readF32();
    beat_offset = stream.readF32();
    progress.finished();
}
