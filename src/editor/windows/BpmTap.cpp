#include "editor/windows/BpmTap.h"

BpmTap::BpmTap(const TickSource& ticks) : ticks_(ticks), lastTap_(ticks_()) {}

void BpmTap::tap() {
    const uint32_t now = ticks_();
    intervals_.push_back(static_cast<int>(now - lastTap_));
    lastTap_ = now;
    if (intervals_.size() > maxIntervals)
        intervals_.pop_front();

    uint32_t sum = 0;
    for (int interval : intervals_)
        sum += static_cast<uint32_t>(interval);
    const float meanInterval = static_cast<float>(sum) / static_cast<float>(intervals_.size());
    result_ = 60000.0f / meanInterval;
}
