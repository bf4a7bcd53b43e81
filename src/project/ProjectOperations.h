// Changes to the project that keep every reference between its objects whole:
// adding, removing, renaming and reordering the objects of its eight lists,
// group membership, and setting a field.
//
// A remove clears every reference to the object (an event's effect, sample or
// group, the members of groups, effects' inputs, texture and font texture lists,
// font textures' font, group events' overrides of a removed member) and returns
// all it took out, so restoring that puts the project back exactly as it was,
// with the same object at the same address. Undoing in the reverse order of
// doing is what makes that exact: the places a removal remembers are valid
// only while everything done after it has been undone.
//
// Within a list names are unique, since the JSON form refers by name: new
// objects get a free name and a rename to a name in use is refused. Textures
// and audio samples are the exception: they are named after their file and
// hold its bytes, so two imports of one file may share a name.
#pragma once

#include "project/Demo.h"
#include "project/ObjectRef.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The project's list of objects of class T.
template <typename T> std::vector<std::unique_ptr<T>>& objectsOf(Demo& demo);
template <typename T> const std::vector<std::unique_ptr<T>>& objectsOf(const Demo& demo);

// What references by name call an object: its name, or for a shader program
// its fragment shader's file name.
template <typename T> const std::string& nameOf(const T& object);
// "event", "effect", "shader", ... for messages.
template <typename T> const char* kindOf();

// The object's place in its list, or nullopt when it is not in the project.
template <typename T> std::optional<size_t> indexOf(const Demo& demo, const T* object);

// The project's own object that `object` points at (to edit what another
// window asked for), or null when it is not in the project.
template <typename T> T* findObject(Demo& demo, const T* object) {
    const std::optional<size_t> index = indexOf(demo, object);
    return index ? objectsOf<T>(demo)[*index].get() : nullptr;
}

// `base` when no object of class T bears it, else the first of "base 2",
// "base 3"... that is free (for a shader, the number goes before the file's
// extension). An empty base stands for "untitled <kind>".
template <typename T> std::string freeName(const Demo& demo, const std::string& base);

// A group event's override of a removed member's variable.
struct ClearedOverride {
    Event* groupEvent = nullptr;
    std::string key;
    ControlPointList list;
};

// Everything a remove took out of the project.
template <typename T> struct Removal {
    std::unique_ptr<T> object; // owned here until it is restored
    size_t index = 0;          // its place in its list
    std::vector<T**> fields;   // references that were the object, now null
    // Reference lists the object stood in, with its index in each, in the order
    // they were taken out (a list holding it twice appears twice).
    std::vector<std::pair<std::vector<T*>*, size_t>> entries;
    std::vector<ClearedOverride> overrides; // events only
};

// Renames `object`, not yet in the project, to a free name where names must be unique.
template <typename T> void takeFreeName(const Demo& demo, T& object);
// Appends `object` after takeFreeName.
template <typename T> T& addObject(Demo& demo, std::unique_ptr<T> object);
// Takes `object` out of the project with every reference to it. It must be in the project.
template <typename T> Removal<T> removeObject(Demo& demo, T& object);
// Puts back what removeObject took out; `removal` is left empty.
template <typename T> T& restoreObject(Demo& demo, Removal<T>& removal);

// Renames `object`; an empty name and one another object of its class bears
// are refused, with the reason. An event's rename carries the keys under which
// the group events that replay it override its variables.
template <typename T> std::optional<std::string> renameObject(Demo& demo, T& object, const std::string& name);

// Swaps two objects of one list: a move up or down. For events this is the layer order.
template <typename T> void swapObjects(Demo& demo, size_t first, size_t second);

// Sets a field, touching the object's edit mark where a run-time cache is built
// from its fields. An effect's GL objects (its quad, its last picture) depend
// on the screen alone, so its fields leave them be: a new shader or input keeps
// the feedback picture and creates nothing.
template <typename T, typename V> void setField(T& object, V T::*field, V value) {
    object.*field = std::move(value);
    if constexpr (!std::is_same_v<T, Effect> && requires { object.edits.touch(); })
        object.edits.touch();
}

// Stores `list` as the event's variable `key`, or takes the key out when there is no list.
void putVariable(Event& event, const std::string& key, const std::optional<ControlPointList>& list);

// Group membership: the same event may stand in a group more than once.
void insertMember(EventGroup& group, size_t index, Event& event);
// Takes out the member at `index` (the event stays in the project) and returns it.
Event* removeMember(EventGroup& group, size_t index);

// Names that more than one object of a list bears, as `effect "glow"`: a project
// loaded with them keeps them, but references by name reach only one of them.
std::vector<std::string> repeatedNames(const Demo& demo);
