// The sound texture's rows handed from the audio thread to the main thread
// through three buffers: the audio thread fills the back one and swaps it with
// the middle one, the main thread swaps the middle one with the front one when
// a new one is there. Neither ever touches the buffer the other is using, and a
// frame always sees whole rows of one mix buffer. No lock, no allocation.
#pragma once

#include "audio/MixAnalyser.h"

#include <array>
#include <atomic>
#include <cstdint>

class RowExchange {
public:
    using Rows = std::array<uint8_t, soundTextureByteCount>;

    // Audio thread: the buffer to fill, and the last one it handed over.
    Rows& back() { return rows_[back_]; }
    const Rows& lastPublished() const { return rows_[lastPublished_]; }
    // Audio thread: hands the back buffer over.
    void publish() {
        lastPublished_ = back_;
        back_ = middle_.exchange(back_ | freshBit) & indexMask;
    }
    // Main thread: the newest rows handed over.
    const Rows& front() {
        if (middle_.load() & freshBit)
            front_ = middle_.exchange(front_) & indexMask;
        return rows_[front_];
    }

private:
    static constexpr int freshBit = 4;
    static constexpr int indexMask = 3;
    std::array<Rows, 3> rows_{};
    int back_ = 0;               // audio thread
    int lastPublished_ = 2;      // audio thread
    std::atomic<int> middle_{1}; // shared
    int front_ = 2;              // main thread
};
