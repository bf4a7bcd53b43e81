#include "composition/BeatClock.h"
#include "project/Demo.h"
#include "support/FakeTicks.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class BeatClockTest : public ::testing::Test {
protected:
    Demo demo; // 130 BPM, offset 0.5
    BeatClock clock;

    void SetUp() override {
        fakeNow = 50000;
        clock.ticks = fakeTicks;
        clock.anchor();
    }
    float beatAfterMs(uint32_t ms) {
        fakeNow += ms;
        clock.advance(demo);
        return clock.currentBeat;
    }
};

TEST_F(BeatClockTest, ReadsMinusOffsetAtMusicStartAndFollowsElapsedTime) {
    EXPECT_FLOAT_EQ(beatAfterMs(0), -0.5f);
    EXPECT_NEAR(beatAfterMs(1000), 1000.0f * 130.0f / 60000.0f - 0.5f, 1e-5f);
}

TEST_F(BeatClockTest, TempoEditsMoveThePlayheadWithoutReanchoring) {
    beatAfterMs(60000);
    EXPECT_FLOAT_EQ(clock.currentBeat, 129.5f);
    demo.bpm = 60.0f;
    demo.beat_offset = 0.0f;
    EXPECT_FLOAT_EQ(beatAfterMs(0), 60.0f);
}

TEST_F(BeatClockTest, ElapsedTimeWrapsWithTheTickCounter) {
    fakeNow = UINT32_MAX - 499;
    clock.anchor();
    EXPECT_NEAR(beatAfterMs(1000), 1000.0f * 130.0f / 60000.0f - 0.5f, 1e-5f);
}

TEST_F(BeatClockTest, PausedClockHoldsItsBeat) {
    beatAfterMs(1000);
    const float held = clock.currentBeat;
    clock.togglePause(demo);
    EXPECT_TRUE(clock.paused);
    EXPECT_FLOAT_EQ(beatAfterMs(5000), held);
}

TEST_F(BeatClockTest, ResumeContinuesFromABeatSetWhilePaused) {
    beatAfterMs(5000);
    clock.togglePause(demo);
    clock.currentBeat = 20.0f; // typed into the beat field
    clock.togglePause(demo);
    EXPECT_FALSE(clock.paused);
    EXPECT_NEAR(beatAfterMs(0), 20.0f, 0.01f);
    EXPECT_NEAR(beatAfterMs(60000), 150.0f, 0.01f);
}

TEST_F(BeatClockTest, ResumeBeforeTheMusicStartRestartsTheMusicFromItsBeginning) {
    clock.togglePause(demo);
    clock.currentBeat = -2.0f;
    clock.togglePause(demo);
    EXPECT_FLOAT_EQ(beatAfterMs(0), -0.5f);
    EXPECT_NEAR(beatAfterMs(1000), 1000.0f * 130.0f / 60000.0f - 0.5f, 1e-5f);
}

TEST_F(BeatClockTest, SeekReanchorsToTheMusicPositionOfTheBeat) {
    fakeNow = 90000;
    clock.seekToBeat(demo, 0.0f);
    EXPECT_FLOAT_EQ(clock.currentBeat, 0.0f);
    EXPECT_EQ(clock.startTicks, 90000u - 230u); // trunc(0.5 * 60000 / 130) = 230 ms
    EXPECT_EQ(beatToMs(demo, 0.0f), 230);
}

TEST_F(BeatClockTest, SeekBeforeTheMusicStartShowsTheBeatUntilTheNextFrame) {
    clock.seekToBeat(demo, -2.0f);
    EXPECT_FLOAT_EQ(clock.currentBeat, -2.0f);
    EXPECT_EQ(clock.startTicks, fakeNow);
    EXPECT_FLOAT_EQ(beatAfterMs(0), -0.5f);
}

TEST_F(BeatClockTest, SeekKeepsThePauseState) {
    clock.togglePause(demo);
    clock.seekToBeat(demo, 64.0f);
    EXPECT_TRUE(clock.paused);
    EXPECT_FLOAT_EQ(beatAfterMs(1000), 64.0f);
}

TEST_F(BeatClockTest, FarSeeksSaturateInsteadOfOverflowing) {
    clock.seekToBeat(demo, 1e12f);
    EXPECT_FLOAT_EQ(clock.currentBeat, 1e12f);
    EXPECT_EQ(beatToMs(demo, 1e12f), INT32_MAX);
    EXPECT_EQ(beatToMs(demo, -1e12f), INT32_MIN);
}

TEST_F(BeatClockTest, BarNavigationJumpsToSixteenBeatBoundaries) {
    struct Case {
        float from;
        float previous;
        float next;
    };
    const Case cases[] = {{40.0f, 16.0f, 48.0f}, {32.0f, 16.0f, 48.0f}, {5.0f, 0.0f, 16.0f},
                          {3.0f, 0.0f, 16.0f},   {0.0f, 0.0f, 16.0f},   {-0.5f, 0.0f, 16.0f}};
    for (const Case& c : cases) {
        clock.currentBeat = c.from;
        clock.seekToPreviousBar(demo);
        EXPECT_FLOAT_EQ(clock.currentBeat, c.previous) << "previous from " << c.from;
        clock.currentBeat = c.from;
        clock.seekToNextBar(demo);
        EXPECT_FLOAT_EQ(clock.currentBeat, c.next) << "next from " << c.from;
    }
}

TEST_F(BeatClockTest, CueSeeksToTheCueBeat) {
    clock.cueBeat = 24.0f;
    beatAfterMs(30000);
    clock.seekToCue(demo);
    EXPECT_NEAR(beatAfterMs(0), 24.0f, 0.01f);
}

TEST_F(BeatClockTest, NonPositiveTempoHoldsTheBeat) {
    beatAfterMs(2000);
    const float held = clock.currentBeat;
    for (float bpm : {0.0f, -120.0f}) {
        demo.bpm = bpm;
        EXPECT_FLOAT_EQ(beatAfterMs(1000), held);
        EXPECT_EQ(beatToMs(demo, 10.0f), 0);
    }
    const uint32_t anchor = clock.startTicks;
    clock.seekToBeat(demo, 12.0f);
    EXPECT_FLOAT_EQ(clock.currentBeat, 12.0f);
    EXPECT_FLOAT_EQ(beatAfterMs(1000), 12.0f);
    clock.togglePause(demo);
    clock.togglePause(demo);
    EXPECT_EQ(clock.startTicks, anchor);
}

TEST(TruncToInt32, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(truncToInt32(2.9f), 2);
    EXPECT_EQ(truncToInt32(-2.9f), -2);
    EXPECT_EQ(truncToInt32(3e9f), INT32_MAX);
    EXPECT_EQ(truncToInt32(-3e9f), INT32_MIN);
    EXPECT_EQ(truncToInt32(0.0f / 0.0f), 0);
}

} // namespace
