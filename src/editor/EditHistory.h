// The edit history: every change the editor makes to the project is a step
// here, so it can be undone and redone. A step holds two functions that put the
// project in the state after and before it; what they capture (old and new
// values, a removed object kept alive) is all the memory a step costs.
//
// Steps of one gesture (a drag, a slider moved over many frames, typing into a
// field) share a merge key and become one step: the first one's undo and the
// last one's redo. The gesture ends when the editor says so (no item active).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct EditStep {
    std::string name;             // what it did, for the menu: "Undo " + name
    std::function<void()> redo;   // applies the change
    std::function<void()> undo;   // reverts it
    size_t bytes = 0;             // memory its functions hold beyond the step itself
    std::string mergeKey;         // steps of one gesture share it; empty: never merged
};

class EditHistory {
public:
    static constexpr size_t maxSteps = 1000;
    static constexpr size_t maxBytes = 64u << 20;

    // Applies `step` and keeps it; what was undone can no longer be redone.
    void perform(EditStep step);
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
    size_t bytes() const { return bytes_; }

private:
    static size_t costOf(const EditStep& step) { return sizeof(EditStep) + step.name.size() + step.bytes; }
    void dropOldestWhileOverBudget();

    std::deque<EditStep> done_;
    std::vector<EditStep> undone_;
    size_t bytes_ = 0;
    bool gestureOpen_ = false;
};
