#include "tool/render/FrameSink.h"

bool FrameSink::write(RenderedFrame frame) {
    if (failed_)
        return false;
    queue_.push(std::move(frame));
    return true;
}

std::string FrameSink::problem() const {
    std::lock_guard lock(problemMutex_);
    return problem_;
}

void FrameSink::fail(const std::string& problem) {
    std::lock_guard lock(problemMutex_);
    if (problem_.empty())
        problem_ = problem;
    failed_ = true;
}
