// What the variables editor does to one variable's curve, and the numbers its
// drawing needs: plain functions of curves and events, testable without a
// window. The editor stores their results through the edit history.
#pragma once

#include "project/Event.h"
#include "project/UniformDef.h"

#include <array>
#include <cstddef>

// Samples a plot of a curve takes over its event's span.
constexpr size_t plotSampleCount = 512;

// One point at beat 0: how a variable without automation stands.
ControlPointList constantCurve(float value, int32_t mode = LastValue, bool repeat = false);
// The curve a number row shows: the stored one, or a constant at `defaultValue`
// while none or an empty one is stored (keeping its repeat).
ControlPointList shownCurve(const ControlPointList* stored, float defaultValue);

// "Automate": `shown` with a point at `localBeat` holding the default added.
ControlPointList automated(ControlPointList shown, float localBeat, float defaultValue);
// The value "Add" gives a new point: the default, except after a point at one
// end of the range, when it is the other end.
float addedPointValue(const ControlPointList& list, const UniformDef& uniform);
// `list` without point `index`. A number curve left with one point becomes a
// constant again: that value at beat 0, LastValue, no repeat.
ControlPointList withoutPoint(ControlPointList list, size_t index, bool numbers);
// Points in ascending beat order.
ControlPointList sortedByBeat(ControlPointList list);
// Every point's beat times `factor`: a text sequence stretched or compressed.
ControlPointList scaledBeats(ControlPointList list, float factor);

// The curve's values over the event's span, first beat to last.
std::array<float, plotSampleCount> curveSamples(const Event& event, const ControlPointList& list);
// The beat a plot at [left, left + width) shows at `x`, held within the
// event's span when `x` lies off the plot; and the x of `beat`.
float plotBeat(const Event& event, float x, float left, float width);
float plotX(const Event& event, float beat, float left, float width);
