// The edit history: every change the editor makes to the project is a step
// here, so it can be undone and redone. A step holds two functions that put the
// project in the state after and before it; what they capture (old and new
// values, a removed object kept alive through a shared owner) is all the memory
// a step costs.
//
// Steps of one gesture (a drag, a slider moved over many frames, typing into a
// field) share a merge key and become one step: the first one's undo and the
// last one's redo. The gesture ends when the editor says so (no item active).
#pragma once

#include "project/ObjectRef.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What makes edits one gesture: the same field of the same object through the
// same window. An empty field never merges.
struct MergeKey {
    std::string window;           // e.g. "Event Manager"
    std::string field;            // the widget's label, e.g. "##Start"
    const void* object = nullptr; // what the field edits
    bool empty() const { return field.empty(); }
    bool operator==(const MergeKey&) const = default;
};

struct EditStep {
    std::string name;           // what it did, for the menu: "Undo " + name
    std::function<void()> redo; // applies the change
    std::function<void()> undo; // reverts it
    size_t redoBytes = 0;       // memory redo's captures hold beyond the step itself
    size_t undoBytes = 0;       // the same for undo
    MergeKey mergeKey = {};
    std::optional<ObjectRef> removes = {}; // the object redo takes out of the project
    std::optional<ObjectRef> adds = {};    // the object redo puts in, which undo takes out
    uint64_t id = 0;                       // names the state the step leaves the project in; given by the history
    // The step holds its whole gesture's change (a typed run into a long text):
    // merged, it replaces the gesture's undo as well as its redo.
    bool cumulative = false;
};

class EditHistory {
public:
    static constexpr size_t maxSteps = 1000;
    static constexpr size_t maxBytes = 64u << 20;

    // Told of every object a step takes out of the project, once it is out, so
    // the editor drops what points at it. Set by the shell.
    std::function<void(const ObjectRef&)> onRemoved;

    // Applies `step` and keeps it; what was undone can no longer be redone.
    void perform(EditStep step);
    // Keeps a step whose change has already been made.
    void record(EditStep step);
    // Whether a step with `key` recorded now would join the last one.
    bool mergesWith(const MergeKey& key) const {
        return gestureOpen_ && !done_.empty() && !key.empty() && done_.back().mergeKey == key;
    }
    // Closes the current gesture: the next step is a step of its own.
    void endGesture() { gestureOpen_ = false; }

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // Names of the steps undo and redo would take back or apply; empty when none.
    std::string undoName() const { return canUndo() ? done_.back().name : std::string(); }
    std::string redoName() const { return canRedo() ? undone_.back().name : std::string(); }
    void undo();
    void redo();

    // Forgets every step, as when a load replaces the project.
    void clear();

    size_t stepCount() const { return done_.size() + undone_.size(); }
    // Names the project's state: the same value after undoing or redoing back
    // to it, another after any other change. A save notes it.
    uint64_t position() const { return done_.empty() ? base_ : done_.back().id; }
    size_t bytes() const { return bytes_; }

private:
    static size_t costOf(const EditStep& step);
    void dropRedoSteps();
    void dropOldestWhileOverBudget();
    void removed(const std::optional<ObjectRef>& object) const;

    std::deque<EditStep> done_;
    std::vector<EditStep> undone_;
    size_t bytes_ = 0;
    bool gestureOpen_ = false;
    uint64_t nextId_ = 1;
    uint64_t base_ = 0; // the position below the oldest step kept
};
