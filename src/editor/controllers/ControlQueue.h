// A bounded queue from one thread to another without locks: an input
// library's thread pushes the messages it receives, the main thread takes them
// once a frame. A full queue refuses the message and counts it, so nothing
// blocks either thread and no loss goes unseen.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

// One producer and one consumer; `Capacity` must be a power of two.
template <typename T, size_t Capacity> class ControlQueue {
    static_assert(Capacity > 0 && (Capacity & (Capacity - 1)) == 0, "Capacity must be a power of two");

public:
    // The producer's side; false (and counted) when the queue is full.
    bool push(const T& item) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        slots_[tail & (Capacity - 1)] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The consumer's side; none when the queue is empty.
    std::optional<T> pop() {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire))
            return std::nullopt;
        T item = slots_[head & (Capacity - 1)];
        head_.store(head + 1, std::memory_order_release);
        return item;
    }

    // Messages refused because the queue was full, since it was made.
    uint64_t dropped() const { return dropped_.load(std::memory_order_relaxed); }

private:
    std::array<T, Capacity> slots_{};
    std::atomic<size_t> head_{0};
    std::atomic<size_t> tail_{0};
    std::atomic<uint64_t> dropped_{0};
};
