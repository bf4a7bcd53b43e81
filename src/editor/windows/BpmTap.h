// A tempo meter: tap along with the music and it reads the beats per minute
// of the last taps. It only informs; nothing is written to the project.
#pragma once

#include "composition/TickSource.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class BpmTap {
public:
    // `ticks` gives milliseconds; the first tap is timed from construction.
    explicit BpmTap(const TickSource& ticks);

    void tap();
    // Beats per minute over the last intervals tapped; 0 before the first tap.
    float result() const { return result_; }

private:
    // Few enough that a change of tempo shows within a bar or two.
    static constexpr size_t maxIntervals = 10;

    const TickSource& ticks_;
    std::deque<int> intervals_; // milliseconds between taps, oldest first
    uint32_t lastTap_;
    float result_ = 0.0f;
};
