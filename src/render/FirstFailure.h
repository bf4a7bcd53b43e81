// The first thing that went wrong in work spread over threads: kept for the
// user's message, later ones dropped, readable from any thread.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

class FirstFailure {
public:
    void record(const std::string& message) {
        std::lock_guard lock(mutex_);
        if (message_.empty())
            message_ = message;
        happened_ = true;
    }
    bool happened() const { return happened_; }
    std::string message() const {
        std::lock_guard lock(mutex_);
        return message_;
    }

private:
    std::atomic<bool> happened_{false};
    mutable std::mutex mutex_;
    std::string message_;
};
