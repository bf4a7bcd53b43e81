#include "editor/edits/ProjectEdits.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

template <typename T> std::string quoted(const T& object) {
    return std::string(kindOf<T>()) + " \"" + nameOf(object) + "\"";
}

// The variables of the group events that replay an event, as they are now: a
// rename moves keys among them, and putting these back undoes it exactly.
class ReplayVariables {
public:
    ReplayVariables(Demo& demo, const Event& event) {
        for (const auto& candidate : demo.events)
            if (candidate->type == GroupEvent && candidate->group &&
                std::ranges::find(candidate->group->events, &event) != candidate->group->events.end())
                saved_.emplace_back(candidate.get(), candidate->variables);
    }
    void putBack() const {
        for (const auto& [replay, variables] : saved_)
            replay->variables = variables;
    }
    size_t bytes() const {
        size_t total = 0;
        for (const auto& entry : saved_)
            for (const auto& [key, list] : entry.second)
                total += key.capacity() + sizeof(list) + list.points.capacity() * sizeof(ControlPoint);
        return total;
    }

private:
    std::vector<std::pair<Event*, std::map<std::string, ControlPointList, std::less<>>>> saved_;
};

} // namespace

template <typename T> T& addObject(EditHistory& history, Demo& demo, std::unique_ptr<T> object) {
    takeFreeName(demo, *object);
    T& added = *object;
    auto removal = std::make_shared<Removal<T>>();
    removal->index = objectsOf<T>(demo).size();
    removal->object = std::move(object);
    history.perform({.name = "Add " + quoted(added),
                     .redo = [&demo, removal] { restoreObject(demo, *removal); },
                     .undo = [&demo, removal, &added] { *removal = removeObject(demo, added); },
                     .adds = ObjectRef(&added)});
    return added;
}

template <typename T> void removeObject(EditHistory& history, Demo& demo, T& object) {
    auto removal = std::make_shared<Removal<T>>();
    history.perform({.name = "Delete " + quoted(object),
                     .redo = [&demo, removal, &object] { *removal = removeObject(demo, object); },
                     .undo = [&demo, removal] { restoreObject(demo, *removal); },
                     .removes = ObjectRef(&object)});
}

void removeEvent(EditHistory& history, Demo& demo, Event& event, const Event*& loopEvent) {
    auto removal = std::make_shared<Removal<Event>>();
    const bool looped = loopEvent == &event;
    history.perform({.name = "Delete " + quoted(event),
                     .redo = [&demo, removal, &event] { *removal = removeObject(demo, event); },
                     .undo =
                         [&demo, removal, &loopEvent, looped] {
                             Event& restored = restoreObject(demo, *removal);
                             if (looped)
                                 loopEvent = &restored;
                         },
                     .removes = ObjectRef(&event)});
}

template <typename T>
std::optional<std::string> renameObject(EditHistory& history, Demo& demo, T& object, const std::string& name,
                                        const MergeKey& key) {
    const std::string before = nameOf(object);
    if (name == before)
        return std::nullopt;
    std::optional<ReplayVariables> replaysBefore;
    if constexpr (std::is_same_v<T, Event>)
        replaysBefore.emplace(demo, object);
    if (std::optional<std::string> refused = renameObject(demo, object, name))
        return refused;
    std::optional<ReplayVariables> replaysAfter;
    if constexpr (std::is_same_v<T, Event>)
        replaysAfter.emplace(demo, object);
    const auto applyName = [&demo, &object](const std::string& to, const std::optional<ReplayVariables>& replays) {
        renameObject(demo, object, to);
        if (replays)
            replays->putBack();
    };
    const size_t redoBytes = name.capacity() + (replaysAfter ? replaysAfter->bytes() : 0);
    const size_t undoBytes = before.capacity() + (replaysBefore ? replaysBefore->bytes() : 0);
    history.record({.name = "Rename " + std::string(kindOf<T>()) + " \"" + before + "\"",
                    .redo = [applyName, name, replaysAfter] { applyName(name, replaysAfter); },
                    .undo = [applyName, before, replaysBefore] { applyName(before, replaysBefore); },
                    .redoBytes = redoBytes,
                    .undoBytes = undoBytes,
                    .mergeKey = key});
    return std::nullopt;
}

template <typename T> void swapObjects(EditHistory& history, Demo& demo, size_t first, size_t second) {
    const auto swap = [&demo, first, second] { swapObjects<T>(demo, first, second); };
    const T& moved = *objectsOf<T>(demo).at(first);
    history.perform(
        {.name = std::string(second > first ? "Move down " : "Move up ") + quoted(moved), .redo = swap, .undo = swap});
}

namespace {

Event& addEvent(EditHistory& history, Demo& demo, std::unique_ptr<Event> event, const std::string& name,
                float endBeat) {
    event->name = name;
    event->startBeat = 0.0f;
    event->endBeat = endBeat;
    return addObject(history, demo, std::move(event));
}

// "texture \"logo\"" for the step's name; an entry may be null.
template <typename T> std::string inputName(const char* kind, const T* input) {
    return std::string(kind) + (input ? " \"" + input->name + "\"" : "");
}

} // namespace

Event& addEventFor(EditHistory& history, Demo& demo, Effect& effect, const std::string& name, float endBeat) {
    auto event = std::make_unique<Event>();
    event->type = EffectEvent;
    event->effect = &effect;
    return addEvent(history, demo, std::move(event), name, endBeat);
}

Event& addEventFor(EditHistory& history, Demo& demo, EventGroup& group, const std::string& name, float endBeat) {
    auto event = std::make_unique<Event>();
    event->type = GroupEvent;
    event->group = &group;
    return addEvent(history, demo, std::move(event), name, endBeat);
}

Event& addEventFor(EditHistory& history, Demo& demo, AudioSample& sample, const std::string& name, float endBeat) {
    auto event = std::make_unique<Event>();
    event->type = AudioSampleEvent;
    event->audioSample = &sample;
    return addEvent(history, demo, std::move(event), name, endBeat);
}

template <typename T>
void addEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, T& input, const char* kind) {
    std::vector<T*> more = effect.*list;
    more.push_back(&input);
    setField(history, effect, list, std::move(more),
             "Add " + inputName(kind, &input) + " to effect \"" + effect.name + "\"");
}

template <typename T>
void moveEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, size_t index, bool up,
                     const char* kind) {
    std::vector<T*> moved = effect.*list;
    const size_t other = up ? index - 1 : index + 1;
    if (index >= moved.size() || other >= moved.size())
        return;
    const std::string what = inputName(kind, moved[index]);
    std::swap(moved[index], moved[other]);
    setField(history, effect, list, std::move(moved),
             "Move " + what + (up ? " up" : " down") + " in effect \"" + effect.name + "\"");
}

template <typename T>
void removeEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, size_t index,
                       bool everyEntryOfIt, const char* kind) {
    std::vector<T*> kept = effect.*list;
    if (index >= kept.size())
        return;
    T* const removed = kept[index]; // a copy: erase reads it while it moves the entries
    const std::string what = inputName(kind, removed);
    if (everyEntryOfIt)
        std::erase(kept, removed);
    else
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(index));
    setField(history, effect, list, std::move(kept), "Remove " + what + " in effect \"" + effect.name + "\"");
}

#define QUILLFRONT_INPUT_EDITS(T)                                                                                      \
    template void addEffectInput<T>(EditHistory&, Effect&, std::vector<T*> Effect::*, T&, const char*);                \
    template void moveEffectInput<T>(EditHistory&, Effect&, std::vector<T*> Effect::*, size_t, bool, const char*);     \
    template void removeEffectInput<T>(EditHistory&, Effect&, std::vector<T*> Effect::*, size_t, bool, const char*);

QUILLFRONT_INPUT_EDITS(Texture)
QUILLFRONT_INPUT_EDITS(FontTexture)
QUILLFRONT_INPUT_EDITS(Effect)

#define QUILLFRONT_LIST_EDITS(T)                                                                                       \
    template T& addObject<T>(EditHistory&, Demo&, std::unique_ptr<T>);                                                 \
    template void removeObject<T>(EditHistory&, Demo&, T&);                                                            \
    template std::optional<std::string> renameObject<T>(EditHistory&, Demo&, T&, const std::string&, const MergeKey&); \
    template void swapObjects<T>(EditHistory&, Demo&, size_t, size_t);

QUILLFRONT_LIST_EDITS(Event)
QUILLFRONT_LIST_EDITS(Effect)
QUILLFRONT_LIST_EDITS(ShaderProgram)
QUILLFRONT_LIST_EDITS(Texture)
QUILLFRONT_LIST_EDITS(AudioSample)
QUILLFRONT_LIST_EDITS(EventGroup)
QUILLFRONT_LIST_EDITS(Font)
QUILLFRONT_LIST_EDITS(FontTexture)

namespace {

size_t bytesOf(const std::optional<ControlPointList>& list) {
    if (!list)
        return 0;
    size_t bytes = sizeof(ControlPointList) + list->points.capacity() * sizeof(ControlPoint);
    for (const ControlPoint& point : list->points)
        bytes += point.text.capacity();
    return bytes;
}

} // namespace

void setVariable(EditHistory& history, Event& event, const std::string& key, std::optional<ControlPointList> list,
                 std::string stepName, MergeKey mergeKey) {
    std::optional<ControlPointList> before;
    if (const ControlPointList* stored = event.findVariable(key))
        before = *stored;
    const size_t redoBytes = key.capacity() + bytesOf(list);
    const size_t undoBytes = key.capacity() + bytesOf(before);
    history.perform({.name = std::move(stepName),
                     .redo = [&event, key, list] { putVariable(event, key, list); },
                     .undo = [&event, key, before] { putVariable(event, key, before); },
                     .redoBytes = redoBytes,
                     .undoBytes = undoBytes,
                     .mergeKey = std::move(mergeKey)});
}

void addMember(EditHistory& history, EventGroup& group, Event& event) {
    const size_t index = group.events.size();
    history.perform({.name = "Add \"" + event.name + "\" to " + quoted(group),
                     .redo = [&group, &event, index] { insertMember(group, index, event); },
                     .undo = [&group, index] { removeMember(group, index); }});
}

void removeMember(EditHistory& history, EventGroup& group, size_t index) {
    Event& event = *group.events.at(index);
    history.perform({.name = "Remove \"" + event.name + "\" from " + quoted(group),
                     .redo = [&group, index] { removeMember(group, index); },
                     .undo = [&group, &event, index] { insertMember(group, index, event); }});
}

namespace {

float Demo::*fieldOf(TransportField field) {
    switch (field) {
    case TransportField::EndBeat:
        return &Demo::end_beat;
    case TransportField::Bpm:
        return &Demo::bpm;
    case TransportField::BeatOffset:
        break;
    }
    return &Demo::beat_offset;
}

const char* nameOf(TransportField field) {
    switch (field) {
    case TransportField::EndBeat:
        return "end beat";
    case TransportField::Bpm:
        return "BPM";
    case TransportField::BeatOffset:
        break;
    }
    return "beat offset";
}

} // namespace

float transportValue(const Demo& demo, TransportField field) { return demo.*fieldOf(field); }

void setTransportValue(EditHistory& history, Demo& demo, TransportField field, float value, MergeKey key) {
    setField(history, demo, fieldOf(field), value, std::string("Change ") + nameOf(field), std::move(key));
}

void moveEvent(EditHistory& history, Event& event, float start, float end, MergeKey key) {
    const float startBefore = event.startBeat;
    const float endBefore = event.endBeat;
    history.perform({.name = "Move " + quoted(event),
                     .redo =
                         [&event, start, end] {
                             event.startBeat = start;
                             event.endBeat = end;
                         },
                     .undo =
                         [&event, startBefore, endBefore] {
                             event.startBeat = startBefore;
                             event.endBeat = endBefore;
                         },
                     .mergeKey = std::move(key)});
}

SourceChange changeBetween(const std::string& before, const std::string& after) {
    const size_t shorter = std::min(before.size(), after.size());
    const size_t prefix = static_cast<size_t>(
        std::mismatch(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(shorter), after.begin()).first -
        before.begin());
    size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, before.substr(prefix, before.size() - prefix - suffix),
            after.substr(prefix, after.size() - prefix - suffix)};
}

SourceChange joined(const SourceChange& run, const SourceChange& next, const std::string& middle) {
    // In `middle`, the run's bytes are [run.offset, runEnd) and the next change's [next.offset, nextEnd).
    const size_t runEnd = run.offset + run.inserted.size();
    const size_t nextEnd = next.offset + next.removed.size();
    const size_t start = std::min(run.offset, next.offset);
    const size_t end = std::max(runEnd, nextEnd);
    // Bytes of the union outside the run's are as the earlier text had them.
    std::string removed = middle.substr(start, run.offset - start) + run.removed;
    if (end > runEnd)
        removed += middle.substr(runEnd, end - runEnd);
    std::string inserted = middle.substr(start, next.offset - start) + next.inserted;
    if (end > nextEnd)
        inserted += middle.substr(nextEnd, end - nextEnd);
    return {start, std::move(removed), std::move(inserted)};
}

void setShaderSource(EditHistory& history, ShaderProgram& program, std::string source, std::string stepName,
                     const MergeKey& key, std::optional<SourceChange>& run) {
    SourceChange change = changeBetween(program.fragmentShaderSource, source);
    if (change.removed.empty() && change.inserted.empty())
        return;
    auto total = std::make_shared<const SourceChange>(
        run && history.mergesWith(key) ? joined(*run, change, program.fragmentShaderSource) : std::move(change));
    setField(program, &ShaderProgram::fragmentShaderSource, std::move(source));
    run = *total;
    const size_t bytes = total->removed.capacity() + total->inserted.capacity();
    const auto replace = [&program](size_t offset, size_t length, const std::string& text) {
        program.fragmentShaderSource.replace(offset, length, text);
        program.edits.touch();
    };
    history.record({.name = std::move(stepName),
                    .redo = [replace, total] { replace(total->offset, total->removed.size(), total->inserted); },
                    .undo = [replace, total] { replace(total->offset, total->inserted.size(), total->removed); },
                    .redoBytes = bytes,
                    .undoBytes = 0,
                    .mergeKey = key,
                    .cumulative = true});
}

void setShaderSources(EditHistory& history, ShaderProgram& program, std::string vertexSource,
                      std::string fragmentSource, std::string stepName) {
    using Sources = std::pair<std::string, std::string>;
    auto after = std::make_shared<const Sources>(std::move(vertexSource), std::move(fragmentSource));
    auto before = std::make_shared<const Sources>(program.vertexShaderSource, program.fragmentShaderSource);
    if (*after == *before)
        return;
    const auto put = [&program](const Sources& sources) {
        program.vertexShaderSource = sources.first;
        program.fragmentShaderSource = sources.second;
        program.edits.touch();
    };
    const auto bytes = [](const Sources& sources) { return sources.first.capacity() + sources.second.capacity(); };
    history.perform({.name = std::move(stepName),
                     .redo = [put, after] { put(*after); },
                     .undo = [put, before] { put(*before); },
                     .redoBytes = bytes(*after),
                     .undoBytes = bytes(*before)});
}

void addUniform(EditHistory& history, ShaderProgram& program) {
    history.perform({.name = "Add a uniform to " + program.fragmentShaderFilename,
                     .redo =
                         [&program] {
                             auto uniform = std::make_unique<UniformDef>();
                             uniform->name = "untitled";
                             program.uniformDefs.push_back(std::move(uniform));
                             program.edits.touch();
                         },
                     .undo =
                         [&program] {
                             program.uniformDefs.pop_back();
                             program.edits.touch();
                         }});
}

void removeUniform(EditHistory& history, ShaderProgram& program, size_t index) {
    // The definition lives in the step while it is out of the program.
    auto held = std::make_shared<std::unique_ptr<UniformDef>>();
    const auto at = static_cast<std::ptrdiff_t>(index);
    history.perform({.name = "Delete uniform \"" + program.uniformDefs[index]->name + "\"",
                     .redo =
                         [&program, held, at] {
                             *held = std::move(program.uniformDefs[static_cast<size_t>(at)]);
                             program.uniformDefs.erase(program.uniformDefs.begin() + at);
                             program.edits.touch();
                         },
                     .undo =
                         [&program, held, at] {
                             program.uniformDefs.insert(program.uniformDefs.begin() + at, std::move(*held));
                             program.edits.touch();
                         }});
}

void renameUniform(EditHistory& history, ShaderProgram& program, size_t index, std::string name, const MergeKey& key) {
    std::string before = program.uniformDefs[index]->name;
    const auto rename = [&program, index](const std::string& to) {
        program.uniformDefs[index]->name = to;
        program.edits.touch();
    };
    history.perform({.name = "Rename uniform \"" + before + "\"",
                     .redo = [rename, name] { rename(name); },
                     .undo = [rename, before] { rename(before); },
                     .mergeKey = key});
}

void setUniformValue(EditHistory& history, ShaderProgram& program, size_t index, float UniformDef::*field, float value,
                     const MergeKey& key) {
    UniformDef& uniform = *program.uniformDefs[index];
    const float before = uniform.*field;
    history.perform({.name = "Change uniform \"" + uniform.name + "\"",
                     .redo = [&program, index, field, value] { (*program.uniformDefs[index]).*field = value; },
                     .undo = [&program, index, field, before] { (*program.uniformDefs[index]).*field = before; },
                     .mergeKey = key});
}
