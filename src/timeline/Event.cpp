#include "timeline/Event.h"

#include "project/Numbers.h"

#include <cmath>

Event* loopEvent = nullptr;

namespace {

// Walks the points in stored order to the last one at or before `local`, and the one
// after it. `current` is -1 when `local` lies before every point.
struct Segment {
    int current = -1;
    int next = -1;
};

Segment findSegment(const std::vector<ControlPoint>& points, float local) {
    Segment segment;
    const int count = static_cast<int>(points.size());
    for (int i = 0; i < count; ++i) {
        if (local >= points[i].beat) {
            segment.current = i;
        } else if (segment.current != -1) {
            segment.next = i;
            return segment;
        }
    }
    segment.next = segment.current + 1;
    return segment;
}

// An index one past either end wraps with `repeat` and clamps without.
int wrapForward(int index, int count, bool repeat) {
    if (index == count)
        return repeat ? 0 : count - 1;
    return index;
}

float catmullRom(float p0, float p1, float p2, float p3, float t) {
    return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                   (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
}

} // namespace

ControlPointList& Event::variable(std::string_view key) {
    auto found = variables.find(key);
    if (found == variables.end())
        found = variables.emplace(std::string(key), ControlPointList()).first;
    return found->second;
}

const ControlPointList* Event::findVariable(std::string_view key) const {
    const auto found = variables.find(key);
    return found == variables.end() ? nullptr : &found->second;
}

const ControlPointList* Event::findOverride(std::string_view member, std::string_view variableName) const {
    const auto found = variables.find(OverrideKey{member, variableName});
    return found == variables.end() ? nullptr : &found->second;
}

float Event::evaluate(const ControlPointList& list, float beat) const {
    if (beat < startBeat || beat > endBeat || list.points.empty())
        return 0.0f;
    const std::vector<ControlPoint>& points = list.points;
    const int count = static_cast<int>(points.size());
    const float local = beat - startBeat;
    const Segment segment = findSegment(points, local);
    if (segment.current == -1)
        return 0.0f;

    const int current = segment.current;
    const int next = wrapForward(segment.next, count, list.repeat);
    const int afterNext = wrapForward(next + 1, count, list.repeat);
    const int previous = current == 0 ? (list.repeat ? count - 1 : 0) : current - 1;

    const float value = points[current].value;
    if (list.mode == LastValue)
        return value;
    if (list.mode != Linear && list.mode != Smooth)
        return 0.0f;
    // Two points on one beat leave no segment to interpolate over: hold the current value.
    const float span = points[next].beat - points[current].beat;
    if (next == current || span == 0.0f)
        return value;
    const float t = (local - points[current].beat) / span;
    if (list.mode == Linear)
        return (1.0f - t) * value + t * points[next].value;
    return catmullRom(points[previous].value, value, points[next].value, points[afterNext].value, t);
}

std::string_view Event::textAtBeat(std::string_view key, float beat, int32_t charsPerBeat) {
    if (beat < startBeat || beat > endBeat)
        return {};
    return textOf(variable(key), beat, charsPerBeat);
}

std::string_view Event::textOf(const ControlPointList& list, float beat, int32_t charsPerBeat) const {
    if (beat < startBeat || beat > endBeat)
        return {};
    const std::vector<ControlPoint>& points = list.points;
    const float local = beat - startBeat;
    int current = -1;
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        if (local >= points[i].beat)
            current = i;
    if (current == -1)
        return {};

    const std::string& text = points[static_cast<size_t>(current)].text;
    if (charsPerBeat == -1 || current == static_cast<int>(points.size()) - 1)
        return text;
    const ControlPoint& from = points[static_cast<size_t>(current)];
    const ControlPoint& to = points[static_cast<size_t>(current) + 1];
    const float fraction = (beat - from.beat - startBeat) / (to.beat - from.beat);
    // 64 bits: a saturated count plus one must not overflow.
    const int64_t shown =
        int64_t{truncToInt32(std::floor(fraction * static_cast<float>(text.size()) * static_cast<float>(charsPerBeat)))} + 1;
    if (text.empty() || shown < 0 || static_cast<size_t>(shown) >= text.size())
        return text;
    return std::string_view(text).substr(0, static_cast<size_t>(shown));
}
