// Hands rendered frames from the composing thread to the threads that encode
// and write them. Bounded, so memory stays capped however slow the writers are:
// the composer waits when it is full.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

struct RenderedFrame {
    int64_t index = 0;
    std::vector<uint8_t> rgb; // top row first
};

class FrameQueue {
public:
    // Room for eight frames of `frameBytes`, fewer when they are large: the
    // queue holds at most about 256 MB, and never fewer than two frames.
    explicit FrameQueue(size_t frameBytes)
        : capacity_(std::clamp<size_t>((size_t{256} << 20) / std::max<size_t>(frameBytes, 1), 2, 8)) {}

    // Waits for room, then queues `frame`.
    void push(RenderedFrame frame) {
        std::unique_lock lock(mutex_);
        roomLeft_.wait(lock, [&] { return frames_.size() < capacity_; });
        frames_.push_back(std::move(frame));
        framesWaiting_.notify_one();
    }
    // The oldest frame, waiting for one; nothing once the queue is closed and empty.
    std::optional<RenderedFrame> pop() {
        std::unique_lock lock(mutex_);
        framesWaiting_.wait(lock, [&] { return !frames_.empty() || closed_; });
        if (frames_.empty())
            return std::nullopt;
        RenderedFrame frame = std::move(frames_.front());
        frames_.pop_front();
        roomLeft_.notify_one();
        return frame;
    }
    // No more frames come: writers finish what is queued and stop.
    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        framesWaiting_.notify_all();
    }

private:
    size_t capacity_;
    std::mutex mutex_;
    std::condition_variable roomLeft_;
    std::condition_variable framesWaiting_;
    std::deque<RenderedFrame> frames_;
    bool closed_ = false;
};
