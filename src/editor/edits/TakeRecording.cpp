#include "editor/edits/TakeRecording.h"

#include "editor/edits/ProjectEdits.h"

#include <cmath>
#include <utility>

namespace {

// How far `point` lies from the line through `first` and `last`, along the value axis.
float distanceFromLine(const TakeSample& point, const TakeSample& first, const TakeSample& last) {
    const float span = last.beat - first.beat;
    if (span <= 0.0f)
        return std::fabs(point.value - first.value);
    const float along = (point.beat - first.beat) / span;
    return std::fabs(point.value - (first.value + along * (last.value - first.value)));
}

} // namespace

std::vector<TakeSample> thinnedTake(std::span<const TakeSample> samples, float tolerance) {
    if (samples.size() <= 2)
        return {samples.begin(), samples.end()};
    std::vector<bool> kept(samples.size(), false);
    kept.front() = kept.back() = true;
    // Spans still to split, on a stack of our own: a take holds thousands of samples.
    std::vector<std::pair<size_t, size_t>> spans{{0, samples.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        size_t farthest = first;
        float distance = tolerance;
        for (size_t index = first + 1; index < last; ++index) {
            const float away = distanceFromLine(samples[index], samples[first], samples[last]);
            if (away > distance) {
                distance = away;
                farthest = index;
            }
        }
        if (farthest == first)
            continue;
        kept[farthest] = true;
        spans.push_back({first, farthest});
        spans.push_back({farthest, last});
    }
    std::vector<TakeSample> thinned;
    for (size_t index = 0; index < samples.size(); ++index)
        if (kept[index])
            thinned.push_back(samples[index]);
    return thinned;
}

ControlPointList curveWithTake(const ControlPointList& list, std::span<const TakeSample> take, float tolerance) {
    if (take.empty())
        return list;
    const float first = take.front().beat;
    const float last = take.back().beat;
    ControlPointList result;
    result.mode = Linear;
    result.repeat = list.repeat;
    for (const ControlPoint& point : list.points)
        if (point.beat < first)
            result.points.push_back(point);
    for (const TakeSample& sample : thinnedTake(take, tolerance))
        result.points.push_back({sample.beat, sample.value, {}});
    for (const ControlPoint& point : list.points)
        if (point.beat > last)
            result.points.push_back(point);
    return result;
}

void recordTake(EditHistory& history, Event& event, const std::string& key, std::span<const TakeSample> take,
                float tolerance) {
    if (take.empty())
        return;
    const ControlPointList* stored = event.findVariable(key);
    setVariable(history, event, key, curveWithTake(stored ? *stored : ControlPointList{}, take, tolerance),
                "Record " + key);
}
