#include "editor/edits/EditHistory.h"

size_t EditHistory::costOf(const EditStep& step) {
    return sizeof(EditStep) + step.name.capacity() + step.mergeKey.window.capacity() + step.mergeKey.field.capacity() +
           step.redoBytes + step.undoBytes;
}

void EditHistory::perform(EditStep step) {
    step.redo();
    removed(step.removes);
    record(std::move(step));
}

void EditHistory::record(EditStep step) {
    dropRedoSteps();
    const bool merges = mergesWith(step.mergeKey);
    gestureOpen_ = true;
    if (merges) {
        EditStep& gesture = done_.back();
        bytes_ -= costOf(gesture);
        gesture.redo = std::move(step.redo);
        gesture.redoBytes = step.redoBytes;
        if (step.cumulative) {
            gesture.undo = std::move(step.undo);
            gesture.undoBytes = step.undoBytes;
        }
        gesture.id = nextId_++;
        bytes_ += costOf(gesture);
    } else {
        step.id = nextId_++;
        bytes_ += costOf(step);
        done_.push_back(std::move(step));
    }
    dropOldestWhileOverBudget();
}

void EditHistory::dropRedoSteps() {
    for (const EditStep& dropped : undone_)
        bytes_ -= costOf(dropped);
    undone_.clear();
}

void EditHistory::dropOldestWhileOverBudget() {
    while (done_.size() > 1 && (done_.size() > maxSteps || bytes_ > maxBytes)) {
        bytes_ -= costOf(done_.front());
        base_ = done_.front().id;
        done_.pop_front();
    }
}

void EditHistory::removed(const std::optional<ObjectRef>& object) const {
    if (object && onRemoved)
        onRemoved(*object);
}

void EditHistory::undo() {
    if (!canUndo())
        return;
    gestureOpen_ = false;
    EditStep& step = done_.back();
    step.undo();
    removed(step.adds);
    undone_.push_back(std::move(step));
    done_.pop_back();
}

void EditHistory::redo() {
    if (!canRedo())
        return;
    gestureOpen_ = false;
    EditStep& step = undone_.back();
    step.redo();
    removed(step.removes);
    done_.push_back(std::move(step));
    undone_.pop_back();
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    bytes_ = 0;
    gestureOpen_ = false;
    base_ = nextId_++;
}
