// A control's moves written into a curve, without a window.
#include "editor/edits/TakeRecording.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Ten seconds of a fader swept up and down at 120 beats a minute, sampled as
// a controller sends: a value every 10 ms, in steps of 1/127.
std::vector<TakeSample> faderTake(float startBeat) {
    std::vector<TakeSample> take;
    for (int tick = 0; tick <= 1000; ++tick) {
        const float beat = startBeat + static_cast<float>(tick) * 0.02f;
        const double swing = 0.5 + 0.5 * std::sin(static_cast<double>(tick) * std::numbers::pi / 250.0);
        take.push_back({beat, static_cast<float>(std::round(swing * 127.0) / 127.0)});
    }
    return take;
}

TEST(TakeRecordingTest, ATakeBecomesAFewPointsThatFollowIt) {
    Event event;
    event.startBeat = 0.0f;
    event.endBeat = 40.0f;
    const std::vector<TakeSample> take = faderTake(4.0f);
    const float tolerance = 1.0f / 127.0f; // a 7-bit controller's step, over a 0-1 range
    const ControlPointList curve = curveWithTake({}, take, tolerance);
    EXPECT_EQ(curve.mode, Linear);
    EXPECT_GT(curve.points.size(), 10u);
    EXPECT_LT(curve.points.size(), 100u) << "tens of points for a thousand moves";
    for (const TakeSample& sample : take)
        ASSERT_NEAR(event.evaluate(curve, sample.beat), sample.value, tolerance * 1.01f) << sample.beat;
}

TEST(TakeRecordingTest, ATakeReplacesThePointsOfItsSpanAlone) {
    ControlPointList list;
    list.mode = Smooth;
    list.points = {{0.0f, 1.0f, {}}, {5.0f, 2.0f, {}}, {6.0f, 3.0f, {}}, {20.0f, 4.0f, {}}};
    const std::vector<TakeSample> take = {{4.0f, 0.0f}, {8.0f, 0.5f}};
    const ControlPointList curve = curveWithTake(list, take, 0.01f);
    ASSERT_EQ(curve.points.size(), 4u);
    EXPECT_EQ(curve.points[0].value, 1.0f);
    EXPECT_EQ(curve.points[1].beat, 4.0f);
    EXPECT_EQ(curve.points[2].beat, 8.0f);
    EXPECT_EQ(curve.points[3].value, 4.0f);
    EXPECT_EQ(curve.mode, Linear);
}

TEST(TakeRecordingTest, ATakeIsOneStepOfTheHistory) {
    Event event;
    event.endBeat = 40.0f;
    event.variable("glow").points = {{0.0f, 0.25f, {}}};
    const ControlPointList before = *event.findVariable("glow");
    EditHistory history;
    recordTake(history, event, "glow", faderTake(2.0f), 0.005f);
    EXPECT_EQ(history.undoName(), "Record glow");
    const ControlPointList recorded = *event.findVariable("glow");
    EXPECT_GT(recorded.points.size(), 2u);
    history.undo();
    EXPECT_EQ(event.findVariable("glow")->points.size(), before.points.size());
    EXPECT_EQ(event.findVariable("glow")->mode, before.mode);
    history.redo();
    EXPECT_EQ(event.findVariable("glow")->points.size(), recorded.points.size());
    recordTake(history, event, "glow", {}, 0.005f);
    EXPECT_EQ(history.undoName(), "Record glow") << "an empty take records nothing";
}

} // namespace
