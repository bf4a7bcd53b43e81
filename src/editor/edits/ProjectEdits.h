// The editor's changes to the project, as steps of the edit history over the
// project operations: windows call these, never write into the model
// themselves, and tests call them the same way. Each step undoes exactly,
// every reference included; a removed object lives on in its step.
#pragma once

#include "editor/edits/EditHistory.h"
#include "project/Demo.h"
#include "project/ProjectOperations.h"

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

// Memory a captured value holds beyond its own size.
template <typename V> size_t heldBytes(const V& value) {
    if constexpr (std::is_same_v<V, std::string>)
        return value.capacity();
    else if constexpr (requires { value.capacity(); })
        return value.capacity() * sizeof(value[0]);
    else
        return 0;
}

// Sets a field of `object` (touching its edit mark where it has one); `key`
// joins the edits of one gesture.
template <typename T, typename V>
void setField(EditHistory& history, T& object, V T::*field, V value, std::string stepName, MergeKey key = {}) {
    V before = object.*field;
    const size_t redoBytes = heldBytes(value);
    const size_t undoBytes = heldBytes(before);
    history.perform({.name = std::move(stepName),
                     .redo = [&object, field, value] { setField(object, field, value); },
                     .undo = [&object, field, before] { setField(object, field, before); },
                     .redoBytes = redoBytes,
                     .undoBytes = undoBytes,
                     .mergeKey = std::move(key)});
}

// Appends `object` to its list, with a free name where names are unique.
template <typename T> T& addObject(EditHistory& history, Demo& demo, std::unique_ptr<T> object);
// Removes `object` with every reference to it.
template <typename T> void removeObject(EditHistory& history, Demo& demo, T& object);
// Removes `event`; when the transport loops it (`loopEvent`, cleared as the
// event leaves), undo brings the loop back with it.
void removeEvent(EditHistory& history, Demo& demo, Event& event, const Event*& loopEvent);
// Renames `object`, or returns why not. An event's rename carries the override
// keys of the group events that replay it.
template <typename T>
std::optional<std::string> renameObject(EditHistory& history, Demo& demo, T& object, const std::string& name,
                                        const MergeKey& key = {});
// Swaps two neighbours of one list.
template <typename T> void swapObjects(EditHistory& history, Demo& demo, size_t first, size_t second);

// Adds, as one step, a new event named `name` from beat 0 to `endBeat` that
// renders `effect`, replays `group` or plays `sample`.
Event& addEventFor(EditHistory& history, Demo& demo, Effect& effect, const std::string& name, float endBeat);
Event& addEventFor(EditHistory& history, Demo& demo, EventGroup& group, const std::string& name, float endBeat);
Event& addEventFor(EditHistory& history, Demo& demo, AudioSample& sample, const std::string& name, float endBeat);

// An effect's lists of inputs (`list`: its textures, font textures or input
// effects, `kind` naming one for the step). `input` appended;
template <typename T>
void addEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, T& input, const char* kind);
// entry `index` changing places with the one above it (`up`) or below it;
template <typename T>
void moveEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, size_t index, bool up,
                     const char* kind);
// entry `index` taken out, and with `everyEntryOfIt` every other entry of the same object.
template <typename T>
void removeEffectInput(EditHistory& history, Effect& effect, std::vector<T*> Effect::*list, size_t index,
                       bool everyEntryOfIt, const char* kind);

// Stores `list` as the event's variable `key`, or takes the key out when
// `list` is empty (nullopt): every edit of a curve replaces it whole.
void setVariable(EditHistory& history, Event& event, const std::string& key, std::optional<ControlPointList> list,
                 std::string stepName, MergeKey mergeKey = {});

void addMember(EditHistory& history, EventGroup& group, Event& event);
void removeMember(EditHistory& history, EventGroup& group, size_t index);

// The project's transport values saved with it.
enum class TransportField { EndBeat, Bpm, BeatOffset };

void setTransportValue(EditHistory& history, Demo& demo, TransportField field, float value, MergeKey key = {});
float transportValue(const Demo& demo, TransportField field);

// Gives `event` the range [start, end] (a timeline drag, or a start that moves the end along).
void moveEvent(EditHistory& history, Event& event, float start, float end, MergeKey key = {});

// The part of a shader source an edit replaced: `removed` at `offset` became `inserted`.
struct SourceChange {
    size_t offset = 0;
    std::string removed;
    std::string inserted;
};

// The change from `before` to `after`: only the bytes between what they share
// at the start and at the end.
SourceChange changeBetween(const std::string& before, const std::string& after);
// `run` (from an earlier text to `middle`) followed by `next` (from `middle` on), as one change.
SourceChange joined(const SourceChange& run, const SourceChange& next, const std::string& middle);

// Gives `program` the fragment source `source`, as a step that holds only the
// changed bytes. Edits with one `key` within a gesture join into one step;
// `run` keeps the joined change between calls (the caller's, one per program).
void setShaderSource(EditHistory& history, ShaderProgram& program, std::string source, std::string stepName,
                     const MergeKey& key, std::optional<SourceChange>& run);

// Gives `program` both sources at once (read from its files), as one step.
void setShaderSources(EditHistory& history, ShaderProgram& program, std::string vertexSource,
                      std::string fragmentSource, std::string stepName);

// A program's uniform definitions. A rename touches the program (its uniforms
// are located again); ranges and defaults are read at each draw.
void addUniform(EditHistory& history, ShaderProgram& program);
void removeUniform(EditHistory& history, ShaderProgram& program, size_t index);
void renameUniform(EditHistory& history, ShaderProgram& program, size_t index, std::string name, const MergeKey& key);
void setUniformValue(EditHistory& history, ShaderProgram& program, size_t index, float UniformDef::*field, float value,
                     const MergeKey& key);
