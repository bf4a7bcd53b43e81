#include "editor/windows/EventTimeline.h"
#include "editor/widgets/TimelineWidget.h"
#include "project/Demo.h"
#include "support/HeadlessGui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

TEST(TimelineLayout, HandlesCentreOnTheirValueOneRadiusRightOfTrackLeft) {
    EXPECT_FLOAT_EQ(handleCentreX(0.0f, 480.0f, 100.0f, 960.0f), 106.0f);
    EXPECT_FLOAT_EQ(handleCentreX(240.0f, 480.0f, 100.0f, 960.0f), 586.0f);
    EXPECT_FLOAT_EQ(handleCentreX(480.0f, 480.0f, 100.0f, 960.0f), 1066.0f);
}

TEST(TimelineLayout, TheBarRunsBetweenTheHandlesEdges) {
    const float range[2] = {10.0f, 40.0f};
    const BarExtent bar = barExtent(range, 480.0f, 100.0f, 960.0f);
    EXPECT_FLOAT_EQ(bar.left, handleCentreX(10.0f, 480.0f, 100.0f, 960.0f) + timelineHandleRadius);
    EXPECT_FLOAT_EQ(bar.right, handleCentreX(40.0f, 480.0f, 100.0f, 960.0f) - timelineHandleRadius);

    const float close[2] = {10.0f, 15.0f};
    const BarExtent none = barExtent(close, 480.0f, 100.0f, 960.0f);
    EXPECT_LE(none.right, none.left) << "handles 10 px apart leave no bar";
}

TEST(TimelineLayout, NormalisingOrdersTheRangeAndKeepsItsLengthInsideTheTrack) {
    float swapped[2] = {40.0f, 10.0f};
    normaliseRange(swapped, 480.0f);
    EXPECT_EQ(swapped[0], 10.0f);
    EXPECT_EQ(swapped[1], 40.0f);

    float pastEnd[2] = {470.0f, 500.0f};
    normaliseRange(pastEnd, 480.0f);
    EXPECT_EQ(pastEnd[0], 450.0f);
    EXPECT_EQ(pastEnd[1], 480.0f);

    float beforeStart[2] = {-5.0f, 20.0f};
    normaliseRange(beforeStart, 480.0f);
    EXPECT_EQ(beforeStart[0], 0.0f);
    EXPECT_EQ(beforeStart[1], 25.0f);

    float longerThanTrack[2] = {600.0f, -100.0f};
    normaliseRange(longerThanTrack, 480.0f);
    EXPECT_EQ(longerThanTrack[0], 0.0f) << "the start wins when the range cannot fit";
    EXPECT_EQ(longerThanTrack[1], 700.0f);
}

TEST(TimelineLayout, RulerLinesMarkEachDivisionUpToTheTracksRightEnd) {
    const int divisions = 30; // 480 beats, one line every 16
    EXPECT_FLOAT_EQ(rulerLineX(1, divisions, 100.0f, 960.0f), timelineValueX(16.0f, 480.0f, 100.0f, 960.0f));
    EXPECT_FLOAT_EQ(rulerLineX(29, divisions, 100.0f, 960.0f), timelineValueX(464.0f, 480.0f, 100.0f, 960.0f));
    EXPECT_FLOAT_EQ(rulerLineX(divisions, divisions, 100.0f, 960.0f), 1060.0f);
}

TEST(TimelineLayout, TheProgressStripSplitsAtThePlayhead) {
    EXPECT_EQ(progressSplit(0.0f, 480.0f, 100.0f, 960.0f).fill, ProgressFill::None);
    EXPECT_EQ(progressSplit(480.5f, 480.0f, 100.0f, 960.0f).fill, ProgressFill::Whole);

    const ProgressSplit middle = progressSplit(120.0f, 480.0f, 100.0f, 960.0f);
    EXPECT_EQ(middle.fill, ProgressFill::Split);
    EXPECT_FLOAT_EQ(middle.x, 340.0f);
    EXPECT_FLOAT_EQ(progressSplit(480.0f, 480.0f, 100.0f, 960.0f).x, 1060.0f) << "the end itself still splits";
}

TEST(TimelineLayout, ScrubbingMapsTheTrackOntoTheBeatsAndStopsAtBothEnds) {
    // A track from x 308, 1600 px wide, showing 480 beats.
    EXPECT_FLOAT_EQ(scrubBeat(308.0f, 308.0f, 1600.0f, 480.0f), 0.0f);
    EXPECT_FLOAT_EQ(scrubBeat(1108.0f, 308.0f, 1600.0f, 480.0f), 240.0f);
    EXPECT_FLOAT_EQ(scrubBeat(100.0f, 308.0f, 1600.0f, 480.0f), 0.0f) << "in the name column";
    EXPECT_FLOAT_EQ(scrubBeat(1908.0f, 308.0f, 1600.0f, 480.0f), 480.0f);
    EXPECT_FLOAT_EQ(scrubBeat(1915.0f, 308.0f, 1600.0f, 480.0f), 480.0f) << "past the track's end";
}

// The timeline drawn in a window covering a 1920x1080 display, driven by a
// simulated mouse. After every frame the test applies the reported edit, as the
// editor does through its history.
class TimelineWidgetTest : public ::testing::Test {
protected:
    HeadlessGui gui;
    Demo demo;
    TimelineState state;
    TimelineResult result;
    float currentBeat = 0.0f;

    void SetUp() override {
        demo.end_beat = 480.0f;
        frame(ImVec2(0.0f, 0.0f), false); // windows exist from the second frame on
    }

    Event* addEvent(const char* name, float start, float end, bool visible = true) {
        auto event = std::make_unique<Event>();
        event->name = name;
        event->startBeat = start;
        event->endBeat = end;
        event->visible = visible;
        demo.events.push_back(std::move(event));
        return demo.events.back().get();
    }

    void frame(ImVec2 mouse, bool down) {
        gui.frame(mouse, down, [this] { result = drawTimeline(demo, currentBeat, state); });
        if (result.changedEvent) {
            result.changedEvent->startBeat = result.start;
            result.changedEvent->endBeat = result.end;
        }
    }

    // The layout the widget gets in this window: the name column takes 15% of
    // the region and the track leaves room for a scrollbar on its right.
    static float regionLeft() { return ImGui::GetStyle().WindowPadding.x; }
    static float regionWidth() { return HeadlessGui::width - 2.0f * regionLeft(); }
    static float trackOrigin() { return regionLeft() + 0.15f * regionWidth(); }
    static float trackWidth() { return 0.85f * regionWidth() - ImGui::GetStyle().ScrollbarSize; }
    static float rowTop(int row) {
        return ImGui::GetStyle().WindowPadding.y + static_cast<float>(row) * ImGui::GetTextLineHeightWithSpacing();
    }
    ImVec2 handle(int row, float beat) const {
        return ImVec2(trackOrigin() + beat / demo.end_beat * trackWidth(), rowTop(row) + timelineHandleRadius);
    }
    ImVec2 barMiddle(int row, const Event& event) const {
        const ImVec2 start = handle(row, event.startBeat);
        const ImVec2 end = handle(row, event.endBeat);
        return ImVec2(0.5f * (start.x + end.x), start.y);
    }
    static float pixels(float beats) { return beats / 480.0f * trackWidth(); }

    // Presses at `from`, moves `steps` frames of `stepX` pixels each, keeps holding.
    void pressAndMove(ImVec2 from, float stepX, int steps) {
        frame(from, false);
        frame(from, true);
        for (int i = 0; i < steps; ++i) {
            from.x += stepX;
            frame(from, true);
        }
    }
    void release() { frame(ImGui::GetIO().MousePos, false); }
};

TEST_F(TimelineWidgetTest, ShowsARowForEachVisibleEventOnly) {
    Event* first = addEvent("first", 10.0f, 40.0f);
    Event* hidden = addEvent("hidden", 10.0f, 40.0f, false);
    Event* last = addEvent("last", 10.0f, 40.0f);

    pressAndMove(handle(1, 40.0f), pixels(20.0f), 1);
    release();
    EXPECT_EQ(last->endBeat, 60.0f) << "the second row is the third event";
    EXPECT_EQ(hidden->endBeat, 40.0f);
    EXPECT_EQ(first->endBeat, 40.0f);
}

TEST_F(TimelineWidgetTest, ABarDraggedPastTheEndKeepsItsLengthAndEndsThere) {
    Event* event = addEvent("intro", 10.0f, 40.0f);
    pressAndMove(barMiddle(0, *event), 500.0f, 4);
    EXPECT_TRUE(result.dragging);
    release();
    EXPECT_FALSE(result.dragging);
    EXPECT_EQ(event->startBeat, 450.0f);
    EXPECT_EQ(event->endBeat, 480.0f);
}

TEST_F(TimelineWidgetTest, AStartHandleDraggedPastTheEndHandleSwapsThem) {
    Event* event = addEvent("intro", 10.0f, 40.0f);
    pressAndMove(handle(0, 10.0f), pixels(50.5f), 1);
    release();
    EXPECT_EQ(event->startBeat, 40.0f);
    EXPECT_EQ(event->endBeat, 60.0f);
}

TEST_F(TimelineWidgetTest, ReportsWholeBeatsTruncatedAndLeavesTheProjectToTheCaller) {
    Event* event = addEvent("intro", 10.0f, 40.0f);
    gui.frame(handle(0, 40.0f), false, [this] { drawTimeline(demo, currentBeat, state); });
    gui.frame(handle(0, 40.0f), true, [this] { drawTimeline(demo, currentBeat, state); });
    TimelineResult moved;
    gui.frame(ImVec2(handle(0, 40.0f).x + pixels(7.6f), handle(0, 40.0f).y), true,
              [&] { moved = drawTimeline(demo, currentBeat, state); });
    EXPECT_EQ(moved.changedEvent, event);
    EXPECT_EQ(moved.start, 10.0f);
    EXPECT_EQ(moved.end, 47.0f);
    EXPECT_TRUE(moved.dragging);
    EXPECT_EQ(event->endBeat, 40.0f) << "drawing changes nothing";
}

TEST_F(TimelineWidgetTest, ASlowDragStillMovesTheEvent) {
    Event* event = addEvent("intro", 10.0f, 40.0f);
    const float step = pixels(0.3f);
    pressAndMove(handle(0, 40.0f), step, 100);
    release();
    // The first few pixels only tell a drag from a click.
    const float dragged = 0.3f * (100.0f - ImGui::GetIO().MouseDragThreshold / step);
    EXPECT_NEAR(event->endBeat, 40.0f + dragged, 1.0f);
    EXPECT_EQ(event->endBeat, std::trunc(event->endBeat));
}

TEST_F(TimelineWidgetTest, ClickingInTheRowsSeeksWithinTheTrack) {
    addEvent("intro", 10.0f, 40.0f);
    const float belowRows = rowTop(10);
    pressAndMove(ImVec2(trackOrigin(), belowRows), 0.0f, 0);
    ASSERT_TRUE(result.seekBeat);
    EXPECT_FLOAT_EQ(*result.seekBeat, 0.0f) << "the track's left edge";
    release();
    EXPECT_FALSE(result.seekBeat) << "only while the button is down";

    pressAndMove(ImVec2(regionLeft() + 20.0f, belowRows), 0.0f, 0);
    ASSERT_TRUE(result.seekBeat);
    EXPECT_EQ(*result.seekBeat, 0.0f) << "the name column";
    release();

    // The scrollbar margin right of the track lies past its end.
    pressAndMove(ImVec2(regionLeft() + regionWidth() - 1.0f, belowRows), 0.0f, 0);
    ASSERT_TRUE(result.seekBeat);
    EXPECT_EQ(*result.seekBeat, 480.0f);
}

TEST_F(TimelineWidgetTest, DraggingAHandleDoesNotSeek) {
    addEvent("intro", 10.0f, 40.0f);
    pressAndMove(handle(0, 40.0f), 10.0f, 3);
    EXPECT_TRUE(result.dragging);
    EXPECT_FALSE(result.seekBeat);
}

} // namespace

namespace {

TEST_F(TimelineWidgetTest, AnEndBeatThatIsHugeOrNotANumberDrawsAndNeverSeeksThere) {
    addEvent("intro", 10.0f, 40.0f);
    for (const float endBeat : {1e30f, std::numeric_limits<float>::infinity(), std::nanf(""), -4.0f}) {
        demo.end_beat = endBeat;
        frame(ImVec2(trackOrigin() + 100.0f, rowTop(5)), true);
        frame(ImVec2(trackOrigin() + 200.0f, rowTop(5)), true);
        if (std::isfinite(endBeat)) {
            ASSERT_TRUE(result.seekBeat) << endBeat;
            EXPECT_TRUE(std::isfinite(*result.seekBeat)) << endBeat;
        } else {
            EXPECT_FALSE(result.seekBeat) << endBeat << ": no beat to seek to";
        }
        frame(ImVec2(0.0f, 0.0f), false);
    }
}

} // namespace
