#include "editor/EditHistory.h"

void EditHistory::perform(EditStep step) {
    step.redo();
    for (const EditStep& dropped : undone_)
        bytes_ -= costOf(dropped);
    undone_.clear();
    const bool merges = gestureOpen_ && !done_.empty() && !step.mergeKey.empty() &&
                        done_.back().mergeKey == step.mergeKey;
    gestureOpen_ = true;
    if (merges) {
        EditStep& gesture = done_.back();
        bytes_ -= costOf(gesture);
        gesture.redo = std::move(step.redo);
        gesture.bytes += step.bytes;
        bytes_ += costOf(gesture);
        return;
    }
    bytes_ += costOf(step);
    done_.push_back(std::move(step));
    dropOldestWhileOverBudget();
}

void EditHistory::dropOldestWhileOverBudget() {
    while (done_.size() > 1 && (done_.size() + undone_.size() > maxSteps || bytes_ > maxBytes)) {
        bytes_ -= costOf(done_.front());
        done_.pop_front();
    }
}

void EditHistory::undo() {
    if (!canUndo())
        return;
    gestureOpen_ = false;
    done_.back().undo();
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
}

void EditHistory::redo() {
    if (!canRedo())
        return;
    gestureOpen_ = false;
    undone_.back().redo();
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    bytes_ = 0;
    gestureOpen_ = false;
}
