// A take: a control's moves recorded while the demo plays, written into a
// variable's curve. The moves arrive by the hundred a second; the curve keeps
// only the points needed to stay within a tolerance of them.
#pragma once

#include "editor/edits/EditHistory.h"
#include "project/ControlPointList.h"
#include "project/Event.h"

#include <span>
#include <string>
#include <vector>

struct TakeSample {
    float beat = 0.0f; // relative to the event's start, as the curve's points are
    float value = 0.0f;
};

// The fewest of `samples` (in beat order) whose straight lines pass within
// `tolerance` of every sample left out (Ramer–Douglas–Peucker, measured along
// the value axis); the first and the last always stay.
std::vector<TakeSample> thinnedTake(std::span<const TakeSample> samples, float tolerance);

// `list` with its points from the take's first beat to its last replaced by
// the thinned take, in "Linear" mode; points before and after keep their order.
ControlPointList curveWithTake(const ControlPointList& list, std::span<const TakeSample> take, float tolerance);

// Writes the take into the event's variable `key` as one step of the history,
// "Record " and the key; nothing for an empty take.
void recordTake(EditHistory& history, Event& event, const std::string& key, std::span<const TakeSample> take,
                float tolerance);
