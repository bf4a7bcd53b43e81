// Sections: what each list is (ListTraits); names; clearing the references to
// a removed object; the operations; group membership.
#include "project/ProjectOperations.h"

#include <algorithm>
#include <map>

namespace {

// ---------------------------------------------------------------------------
// What each list is
// ---------------------------------------------------------------------------

template <typename T> struct ListTraits;

template <> struct ListTraits<Event> {
    static constexpr auto list = &Demo::events;
    static constexpr auto name = &Event::name;
    static constexpr const char* kind = "event";
    static constexpr bool uniqueNames = true;
};

template <> struct ListTraits<Effect> {
    static constexpr auto list = &Demo::effects;
    static constexpr auto name = &Effect::name;
    static constexpr const char* kind = "effect";
    static constexpr bool uniqueNames = true;
};

template <> struct ListTraits<ShaderProgram> {
    static constexpr auto list = &Demo::shaders;
    static constexpr auto name = &ShaderProgram::fragmentShaderFilename;
    static constexpr const char* kind = "shader";
    static constexpr bool uniqueNames = true;
};

template <> struct ListTraits<Texture> {
    static constexpr auto list = &Demo::textures;
    static constexpr auto name = &Texture::name;
    static constexpr const char* kind = "texture";
    static constexpr bool uniqueNames = false;
};

template <> struct ListTraits<AudioSample> {
    static constexpr auto list = &Demo::audio_samples;
    static constexpr auto name = &AudioSample::name;
    static constexpr const char* kind = "audio sample";
    static constexpr bool uniqueNames = false;
};

template <> struct ListTraits<EventGroup> {
    static constexpr auto list = &Demo::event_groups;
    static constexpr auto name = &EventGroup::name;
    static constexpr const char* kind = "event group";
    static constexpr bool uniqueNames = true;
};

template <> struct ListTraits<Font> {
    static constexpr auto list = &Demo::fonts;
    static constexpr auto name = &Font::name;
    static constexpr const char* kind = "font";
    static constexpr bool uniqueNames = true;
};

template <> struct ListTraits<FontTexture> {
    static constexpr auto list = &Demo::font_textures;
    static constexpr auto name = &FontTexture::name;
    static constexpr const char* kind = "font texture";
    static constexpr bool uniqueNames = true;
};

// ---------------------------------------------------------------------------
// Names
// ---------------------------------------------------------------------------

template <typename T> bool nameInUse(const Demo& demo, const std::string& name, const T* except = nullptr) {
    for (const auto& object : objectsOf<T>(demo))
        if (object.get() != except && nameOf(*object) == name)
            return true;
    return false;
}

// "base N", or for a file name "stem N.extension".
std::string numbered(const std::string& base, int number, bool beforeExtension) {
    const size_t slash = base.find_last_of('/');
    const size_t dot = base.find_last_of('.');
    const bool hasExtension =
        beforeExtension && dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string suffix = " " + std::to_string(number);
    if (!hasExtension)
        return base + suffix;
    return base.substr(0, dot) + suffix + base.substr(dot);
}

template <typename T> std::string untitledName() { return std::string("untitled ") + ListTraits<T>::kind; }
template <> std::string untitledName<ShaderProgram>() { return "resources/untitled.frag"; }

template <typename T> std::string& mutableNameOf(T& object) { return object.*ListTraits<T>::name; }

// ---------------------------------------------------------------------------
// Clearing the references to a removed object
// ---------------------------------------------------------------------------

template <typename T> void clearField(T*& field, const T* object, Removal<T>& removal) {
    if (field != object)
        return;
    field = nullptr;
    removal.fields.push_back(&field);
}

// Records each entry at the index it had before any was taken out, so putting
// them back in the recorded order rebuilds the list.
template <typename T> void eraseEntries(std::vector<T*>& list, const T* object, Removal<T>& removal) {
    size_t erased = 0;
    for (size_t i = 0; i < list.size();) {
        if (list[i] == object) {
            removal.entries.emplace_back(&list, i + erased);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            ++erased;
        } else {
            ++i;
        }
    }
}

bool listsEvent(const EventGroup& group, const Event* event) {
    return std::find(group.events.begin(), group.events.end(), event) != group.events.end();
}

// Whether a member of `group` other than `event` bears `name`: then keys under
// that name belong to it too.
bool anotherMemberNamed(const EventGroup& group, const Event* event, const std::string& name) {
    return std::any_of(group.events.begin(), group.events.end(),
                       [&](const Event* member) { return member && member != event && member->name == name; });
}

// The group events whose override keys name `event`'s variables.
template <typename Visit> void forEachReplayOf(Demo& demo, const Event& event, const std::string& name, Visit visit) {
    for (const auto& candidate : demo.events)
        if (candidate->type == GroupEvent && candidate->group && listsEvent(*candidate->group, &event) &&
            !anotherMemberNamed(*candidate->group, &event, name))
            visit(*candidate);
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void clearOverrides(Demo& demo, const Event& event, Removal<Event>& removal) {
    const std::string prefix = event.name + ".";
    forEachReplayOf(demo, event, event.name, [&](Event& replay) {
        auto& variables = replay.variables;
        for (auto it = variables.lower_bound(prefix); it != variables.end() && startsWith(it->first, prefix);) {
            removal.overrides.push_back({&replay, it->first, std::move(it->second)});
            it = variables.erase(it);
        }
    });
}

// Keys that already exist under the new name stay where they are, so renaming
// back restores exactly what was there.
void moveOverrideKeys(Demo& demo, const Event& event, const std::string& from, const std::string& to) {
    const std::string prefix = from + ".";
    forEachReplayOf(demo, event, from, [&](Event& replay) {
        auto& variables = replay.variables;
        std::vector<std::string> moving;
        for (auto it = variables.lower_bound(prefix); it != variables.end() && startsWith(it->first, prefix); ++it)
            moving.push_back(it->first);
        for (const std::string& key : moving) {
            std::string moved = to + key.substr(from.size());
            if (variables.contains(moved))
                continue;
            auto node = variables.extract(key);
            node.key() = std::move(moved);
            variables.insert(std::move(node));
        }
    });
}

void clearReferences(Demo& demo, Event& event, Removal<Event>& removal) {
    clearOverrides(demo, event, removal);
    for (const auto& group : demo.event_groups)
        eraseEntries(group->events, &event, removal);
}

void clearReferences(Demo& demo, Effect& effect, Removal<Effect>& removal) {
    for (const auto& event : demo.events)
        clearField(event->effect, &effect, removal);
    for (const auto& user : demo.effects)
        eraseEntries(user->effects, &effect, removal);
}

void clearReferences(Demo& demo, ShaderProgram& program, Removal<ShaderProgram>& removal) {
    for (const auto& effect : demo.effects)
        clearField(effect->program, &program, removal);
}

void clearReferences(Demo& demo, Texture& texture, Removal<Texture>& removal) {
    for (const auto& effect : demo.effects)
        eraseEntries(effect->textures, &texture, removal);
}

void clearReferences(Demo& demo, AudioSample& sample, Removal<AudioSample>& removal) {
    for (const auto& event : demo.events)
        clearField(event->audioSample, &sample, removal);
}

void clearReferences(Demo& demo, EventGroup& group, Removal<EventGroup>& removal) {
    for (const auto& event : demo.events)
        clearField(event->group, &group, removal);
}

void clearReferences(Demo& demo, Font& font, Removal<Font>& removal) {
    for (const auto& text : demo.font_textures)
        clearField(text->font, &font, removal);
}

void clearReferences(Demo& demo, FontTexture& text, Removal<FontTexture>& removal) {
    for (const auto& effect : demo.effects)
        eraseEntries(effect->fontTextures, &text, removal);
}

template <typename List> auto at(List& list, size_t index) {
    return list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size()));
}

} // namespace

// ---------------------------------------------------------------------------
// The operations
// ---------------------------------------------------------------------------

template <typename T> std::vector<std::unique_ptr<T>>& objectsOf(Demo& demo) { return demo.*ListTraits<T>::list; }

template <typename T> const std::vector<std::unique_ptr<T>>& objectsOf(const Demo& demo) {
    return demo.*ListTraits<T>::list;
}

template <typename T> const std::string& nameOf(const T& object) { return object.*ListTraits<T>::name; }

template <typename T> const char* kindOf() { return ListTraits<T>::kind; }

template <typename T> std::optional<size_t> indexOf(const Demo& demo, const T* object) {
    const auto& list = objectsOf<T>(demo);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == object)
            return i;
    return std::nullopt;
}

template <typename T> std::string freeName(const Demo& demo, const std::string& base) {
    const std::string wanted = base.empty() ? untitledName<T>() : base;
    std::string name = wanted;
    for (int number = 2; nameInUse<T>(demo, name); ++number)
        name = numbered(wanted, number, std::is_same_v<T, ShaderProgram>);
    return name;
}

template <typename T> void takeFreeName(const Demo& demo, T& object) {
    if constexpr (ListTraits<T>::uniqueNames)
        mutableNameOf(object) = freeName<T>(demo, nameOf(object));
}

template <typename T> T& addObject(Demo& demo, std::unique_ptr<T> object) {
    takeFreeName(demo, *object);
    auto& list = objectsOf<T>(demo);
    list.push_back(std::move(object));
    return *list.back();
}

template <typename T> Removal<T> removeObject(Demo& demo, T& object) {
    auto& list = objectsOf<T>(demo);
    Removal<T> removal;
    removal.index = *indexOf(demo, &object);
    removal.object = std::move(list[removal.index]);
    list.erase(at(list, removal.index));
    clearReferences(demo, object, removal);
    return removal;
}

template <typename T> T& restoreObject(Demo& demo, Removal<T>& removal) {
    auto& list = objectsOf<T>(demo);
    T* object = removal.object.get();
    list.insert(at(list, removal.index), std::move(removal.object));
    for (T** field : removal.fields)
        *field = object;
    for (auto& [entries, index] : removal.entries)
        entries->insert(at(*entries, index), object);
    for (ClearedOverride& cleared : removal.overrides)
        cleared.groupEvent->variables.insert_or_assign(std::move(cleared.key), std::move(cleared.list));
    removal = Removal<T>();
    return *object;
}

template <typename T> std::optional<std::string> renameObject(Demo& demo, T& object, const std::string& name) {
    if (name == nameOf(object))
        return std::nullopt;
    if (name.empty())
        return std::string("A name cannot be empty");
    if (nameInUse<T>(demo, name, &object))
        return std::string("Another ") + kindOf<T>() + " is named \"" + name + "\"";
    if constexpr (std::is_same_v<T, Event>)
        moveOverrideKeys(demo, object, object.name, name);
    mutableNameOf(object) = name;
    return std::nullopt;
}

template <typename T> void swapObjects(Demo& demo, size_t first, size_t second) {
    auto& list = objectsOf<T>(demo);
    std::swap(list.at(first), list.at(second));
}

// ---------------------------------------------------------------------------
// Group membership and names
// ---------------------------------------------------------------------------

void putVariable(Event& event, const std::string& key, const std::optional<ControlPointList>& list) {
    if (list)
        event.variables.insert_or_assign(key, *list);
    else
        event.variables.erase(key);
}

void insertMember(EventGroup& group, size_t index, Event& event) {
    group.events.insert(at(group.events, index), &event);
}

Event* removeMember(EventGroup& group, size_t index) {
    Event* member = group.events.at(index);
    group.events.erase(at(group.events, index));
    return member;
}

namespace {

template <typename T> void noteRepeatedNames(const Demo& demo, std::vector<std::string>& repeated) {
    if constexpr (ListTraits<T>::uniqueNames) {
        std::map<std::string, int> counts;
        for (const auto& object : objectsOf<T>(demo))
            ++counts[nameOf(*object)];
        for (const auto& [name, count] : counts)
            if (count > 1)
                repeated.push_back(std::string(kindOf<T>()) + " \"" + name + "\"");
    }
}

} // namespace

std::vector<std::string> repeatedNames(const Demo& demo) {
    std::vector<std::string> repeated;
    noteRepeatedNames<Event>(demo, repeated);
    noteRepeatedNames<Effect>(demo, repeated);
    noteRepeatedNames<ShaderProgram>(demo, repeated);
    noteRepeatedNames<EventGroup>(demo, repeated);
    noteRepeatedNames<Font>(demo, repeated);
    noteRepeatedNames<FontTexture>(demo, repeated);
    return repeated;
}

#define QUILLFRONT_LIST_OPERATIONS(T)                                                                                  \
    template std::vector<std::unique_ptr<T>>& objectsOf<T>(Demo&);                                                     \
    template const std::vector<std::unique_ptr<T>>& objectsOf<T>(const Demo&);                                         \
    template const std::string& nameOf<T>(const T&);                                                                   \
    template const char* kindOf<T>();                                                                                  \
    template std::optional<size_t> indexOf<T>(const Demo&, const T*);                                                  \
    template std::string freeName<T>(const Demo&, const std::string&);                                                 \
    template void takeFreeName<T>(const Demo&, T&);                                                                    \
    template T& addObject<T>(Demo&, std::unique_ptr<T>);                                                               \
    template Removal<T> removeObject<T>(Demo&, T&);                                                                    \
    template T& restoreObject<T>(Demo&, Removal<T>&);                                                                  \
    template std::optional<std::string> renameObject<T>(Demo&, T&, const std::string&);                                \
    template void swapObjects<T>(Demo&, size_t, size_t);

QUILLFRONT_LIST_OPERATIONS(Event)
QUILLFRONT_LIST_OPERATIONS(Effect)
QUILLFRONT_LIST_OPERATIONS(ShaderProgram)
QUILLFRONT_LIST_OPERATIONS(Texture)
QUILLFRONT_LIST_OPERATIONS(AudioSample)
QUILLFRONT_LIST_OPERATIONS(EventGroup)
QUILLFRONT_LIST_OPERATIONS(Font)
QUILLFRONT_LIST_OPERATIONS(FontTexture)
