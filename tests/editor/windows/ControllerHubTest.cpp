// Learn, touch and record, on messages made up by the test and a clock it sets.
#include "editor/windows/ControllerHub.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

ControlMessage change(int number, float value) { return {{ControlKind::ControlChange, 0, number, {}}, value}; }

TEST(ControllerHubTest, LearnBindsTheNextControlThatMoves) {
    ControllerHub hub;
    const ControllerHub::Clock::time_point now{};
    hub.learning = ControllerHub::Target{"Sky", "glow"};
    const std::optional<ControllerBinding> learned = hub.handle(change(7, 64.0f), now, std::nullopt);
    ASSERT_TRUE(learned);
    EXPECT_EQ(learned->variable, "glow");
    EXPECT_FALSE(hub.learning);
    EXPECT_FALSE(hub.touched("Sky", "glow", now)) << "the move that binds moves nothing";

    hub.learning = ControllerHub::Target{"Sky", "glow"};
    hub.handle(change(8, 0.0f), now, std::nullopt);
    ASSERT_EQ(hub.bindings.size(), 1u) << "a variable has one control";
    EXPECT_EQ(hub.bindings[0].source.number, 8);
    hub.learning = ControllerHub::Target{"Sky", "speed"};
    hub.handle(change(8, 0.0f), now, std::nullopt);
    ASSERT_EQ(hub.bindings.size(), 1u) << "and a control one variable";
    EXPECT_EQ(hub.bindings[0].variable, "speed");
}

TEST(ControllerHubTest, AMovingControlHoldsItsVariableUntilItRests) {
    ControllerHub hub;
    hub.learning = ControllerHub::Target{"Sky", "glow"};
    const ControllerHub::Clock::time_point start{};
    hub.handle(change(7, 0.0f), start, std::nullopt);
    hub.handle(change(7, 127.0f), start + 1s, std::nullopt);
    hub.handle(change(9, 0.0f), start + 1s, std::nullopt);
    EXPECT_EQ(hub.touched("Sky", "glow", start + 1s), 1.0f);
    EXPECT_EQ(hub.touched("Sky", "glow", start + 1500ms), 1.0f);
    EXPECT_FALSE(hub.touched("Sky", "glow", start + 1600ms)) << "at rest, the curve plays again";
    EXPECT_TRUE(hub.holdsAny(start + 1500ms));
    EXPECT_FALSE(hub.holdsAny(start + 1600ms));
    EXPECT_TRUE(hub.takeTakes().empty()) << "nothing recorded while Record is off";
}

TEST(ControllerHubTest, MovesWhileRecordingBecomeATakeInTheCurvesUnits) {
    ControllerHub hub;
    hub.learning = ControllerHub::Target{"Sky", "glow"};
    const ControllerHub::Clock::time_point start{};
    hub.handle(change(7, 0.0f), start, std::nullopt);
    hub.handle(change(7, 30.0f), start, 10.0f);
    hub.handle(change(7, 0.0f), start, 10.0f); // in the same frame: the last stands
    hub.handle(change(7, 127.0f), start, 11.0f);
    hub.handle(change(7, 64.0f), start, 10.5f); // sought back: left out
    std::vector<ControllerHub::Take> takes = hub.takeTakes();
    ASSERT_EQ(takes.size(), 1u);
    ASSERT_EQ(takes[0].samples.size(), 2u);
    EXPECT_TRUE(hub.takeTakes().empty());

    Event event;
    event.startBeat = 8.0f;
    UniformDef uniform;
    uniform.minVal = -1.0f;
    uniform.maxVal = 1.0f;
    const std::vector<TakeSample> inCurve = takeInCurve(takes[0], event, uniform);
    EXPECT_EQ(inCurve[0].beat, 2.0f);
    EXPECT_EQ(inCurve[0].value, -1.0f);
    EXPECT_EQ(inCurve[1].beat, 3.0f);
    EXPECT_EQ(inCurve[1].value, 1.0f);
}

} // namespace
