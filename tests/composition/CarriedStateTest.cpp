// What a render catching up to a later frame must compose, found from the project.
#include "composition/CarriedState.h"
#include "project/EventGroup.h"
#include "support/TestEvents.h"

#include <gtest/gtest.h>

namespace {

Effect& addEffect(Demo& demo, const char* name, bool feedback = false, bool screen = false) {
    demo.effects.push_back(std::make_unique<Effect>(name, nullptr, nullptr, nullptr, feedback, screen));
    return *demo.effects.back();
}

using Passes = std::unordered_set<const Effect*>;

TEST(CarriedStateTest, PassesThatWriteWhatALaterFrameReadsAndThoseFeedingThem) {
    Demo demo;
    Effect& plain = addEffect(demo, "plain");
    Effect& mixer = addEffect(demo, "mixer");
    mixer.effects = {&plain};
    EXPECT_EQ(carriedStateOf(demo).passes, Passes{}) << "nothing carries over";

    Effect& trails = addEffect(demo, "trails", true);
    Effect& source = addEffect(demo, "source");
    trails.effects = {&source};
    Effect& echo = addEffect(demo, "echo");
    echo.effects = {&echo};
    Effect& ping = addEffect(demo, "ping");
    Effect& pong = addEffect(demo, "pong");
    ping.effects = {&pong};
    pong.effects = {&ping};
    // A group's replay draws its members without rendering their inputs first.
    Effect& member = addEffect(demo, "member");
    Effect& memberInput = addEffect(demo, "member input");
    member.effects = {&memberInput};
    Event& replayed = addEvent(demo, "replayed", EffectEvent, 0, 4);
    replayed.effect = &member;
    demo.event_groups.push_back(std::make_unique<EventGroup>());
    demo.event_groups.back()->events = {&replayed};

    const CarriedState state = carriedStateOf(demo);
    // The member's own input pass, where an event renders it, renders its input too.
    EXPECT_EQ(state.passes, (Passes{&trails, &echo, &ping, &pong, &memberInput, &member}));
    EXPECT_FALSE(state.wholeFrames);

    Effect& feeder = addEffect(demo, "feeder");
    feeder.effects = {&trails};
    EXPECT_TRUE(carriedStateOf(demo).passes.contains(&feeder));
}

TEST(CarriedStateTest, ACarriedCaptureOfThePictureTakesWholeFrames) {
    Demo demo;
    addEffect(demo, "captured", false, true);
    EXPECT_FALSE(carriedStateOf(demo).wholeFrames) << "a capture not read later is taken afresh each frame";
    addEffect(demo, "captured with feedback", true, true);
    EXPECT_TRUE(carriedStateOf(demo).wholeFrames);
}

} // namespace
