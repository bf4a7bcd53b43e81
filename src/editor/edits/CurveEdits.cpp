#include "editor/edits/CurveEdits.h"

#include <algorithm>

ControlPointList constantCurve(float value, int32_t mode, bool repeat) {
    ControlPointList list;
    list.points = {{0.0f, value, ""}};
    list.mode = mode;
    list.repeat = repeat;
    return list;
}

ControlPointList shownCurve(const ControlPointList* stored, float defaultValue) {
    if (stored && !stored->points.empty())
        return *stored;
    return constantCurve(defaultValue, LastValue, stored && stored->repeat);
}

ControlPointList automated(ControlPointList shown, float localBeat, float defaultValue) {
    shown.points.push_back({localBeat, defaultValue, ""});
    return shown;
}

float addedPointValue(const ControlPointList& list, const UniformDef& uniform) {
    if (list.points.empty())
        return uniform.defaultVal;
    const float last = list.points.back().value;
    if (last == uniform.minVal)
        return uniform.maxVal;
    if (last == uniform.maxVal)
        return uniform.minVal;
    return uniform.defaultVal;
}

ControlPointList withoutPoint(ControlPointList list, size_t index, bool numbers) {
    if (index >= list.points.size())
        return list;
    list.points.erase(list.points.begin() + static_cast<std::ptrdiff_t>(index));
    if (numbers && list.points.size() == 1)
        return constantCurve(list.points.front().value);
    return list;
}

ControlPointList sortedByBeat(ControlPointList list) {
    std::stable_sort(list.points.begin(), list.points.end(),
                     [](const ControlPoint& a, const ControlPoint& b) { return a.beat < b.beat; });
    return list;
}

ControlPointList scaledBeats(ControlPointList list, float factor) {
    for (ControlPoint& point : list.points)
        point.beat *= factor;
    return list;
}

std::array<float, plotSampleCount> curveSamples(const Event& event, const ControlPointList& list) {
    std::array<float, plotSampleCount> samples{};
    const float span = event.endBeat - event.startBeat;
    for (size_t k = 0; k < plotSampleCount; ++k)
        samples[k] = event.evaluate(list, event.startBeat +
                                              span * static_cast<float>(k) / static_cast<float>(plotSampleCount - 1));
    return samples;
}

float plotBeat(const Event& event, float x, float left, float width) {
    const float across = std::clamp((x - left) / width, 0.0f, 1.0f);
    return event.startBeat + (event.endBeat - event.startBeat) * across;
}

float plotX(const Event& event, float beat, float left, float width) {
    return left + (beat - event.startBeat) / (event.endBeat - event.startBeat) * width;
}
