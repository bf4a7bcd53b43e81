// The end of the demo, decided each frame after the clock advances.
#include "app/BeatClock.h"
#include "app/Shell.h"
#include "app/ShellState.h"
#include "project/Demo.h"

#include <gtest/gtest.h>

namespace {

uint32_t fakeNow = 0;
uint32_t fakeTicks() { return fakeNow; }

class TransportTest : public ::testing::Test {
protected:
    Demo demo;

    void SetUp() override {
        quitRequested = false;
        editorVisible = false;
        editorEverShown = false;
        demo.bpm = 60.0f; // one beat per second
        demo.beat_offset = 0.0f;
        demo.end_beat = 8.0f;
        theDemo = &demo;
        fakeNow = 0;
        beatClock = BeatClock();
        beatClock.ticks = fakeTicks;
        beatClock.anchor();
    }
    void TearDown() override { theDemo = nullptr; }

    void frameAtBeat(float beat) {
        fakeNow = static_cast<uint32_t>(beat * 1000.0f);
        advanceTransport();
    }
};

TEST_F(TransportTest, DemoEndsOnlyPastItsEndBeat) {
    frameAtBeat(8.0f);
    EXPECT_FALSE(quitRequested);
    frameAtBeat(8.001f);
    EXPECT_TRUE(quitRequested);
}

TEST_F(TransportTest, DemoKeepsPlayingWhileTheEditorIsOrWasShown) {
    editorVisible = true;
    editorEverShown = true;
    frameAtBeat(9.0f);
    EXPECT_FALSE(quitRequested);
    editorVisible = false;
    frameAtBeat(10.0f);
    EXPECT_FALSE(quitRequested);
}

TEST_F(TransportTest, FarBeatsDoNotEndTheDemo) {
    frameAtBeat(10000.0f);
    EXPECT_FALSE(quitRequested);
}

} // namespace
