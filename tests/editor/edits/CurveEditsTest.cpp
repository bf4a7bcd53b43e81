// The variables editor's curve changes, without a window.
#include "editor/edits/CurveEdits.h"

#include <gtest/gtest.h>

namespace {

TEST(CurveEditsTest, PointsComeAndGoAsThePointEditorsMakeThem) {
    UniformDef range;
    range.minVal = -1.0f;
    range.maxVal = 3.0f;
    range.defaultVal = 0.5f;
    ControlPointList curve = automated(shownCurve(nullptr, range.defaultVal), 4.0f, range.defaultVal);
    ASSERT_EQ(curve.points.size(), 2u);
    EXPECT_EQ(curve.mode, LastValue);
    EXPECT_EQ(addedPointValue(curve, range), 0.5f);
    curve.points.back().value = 3.0f;
    EXPECT_EQ(addedPointValue(curve, range), -1.0f) << "after the top, the bottom";
    curve.points.back().value = -1.0f;
    EXPECT_EQ(addedPointValue(curve, range), 3.0f);

    curve.mode = Smooth;
    curve.repeat = true;
    const ControlPointList constant = withoutPoint(curve, 0, true);
    ASSERT_EQ(constant.points.size(), 1u);
    EXPECT_EQ(constant.points[0].beat, 0.0f);
    EXPECT_EQ(constant.points[0].value, -1.0f);
    EXPECT_EQ(constant.mode, LastValue);
    EXPECT_FALSE(constant.repeat);
    EXPECT_EQ(withoutPoint(curve, 0, false).points.size(), 1u) << "texts stay as they are";

    ControlPointList texts;
    texts.points = {{6.0f, 0.0f, "b"}, {1.5f, 0.0f, "a"}};
    EXPECT_EQ(sortedByBeat(texts).points[0].text, "a");
    EXPECT_EQ(scaledBeats(texts, 2.0f).points[1].beat, 3.0f);
}

TEST(CurveEditsTest, PlotsSampleTheEventsSpanAndMapItsBeats) {
    Event event;
    event.startBeat = 10.0f;
    event.endBeat = 20.0f;
    ControlPointList ramp;
    ramp.points = {{0.0f, 0.0f, ""}, {10.0f, 1.0f, ""}};
    const auto samples = curveSamples(event, ramp);
    EXPECT_EQ(samples.front(), 0.0f);
    EXPECT_EQ(samples.back(), 1.0f);
    EXPECT_FLOAT_EQ(plotBeat(event, 150.0f, 100.0f, 200.0f), 12.5f);
    EXPECT_EQ(plotBeat(event, 900.0f, 100.0f, 200.0f), 20.0f) << "off the plot, the event's end";
    EXPECT_EQ(plotBeat(event, -50.0f, 100.0f, 200.0f), 10.0f);
    EXPECT_FLOAT_EQ(plotX(event, 12.5f, 100.0f, 200.0f), 150.0f);
}

} // namespace
