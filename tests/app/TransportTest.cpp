// The end of the demo, decided each frame after the clock advances.
#include "app/Shell.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/FakeTicks.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TransportTest : public ::testing::Test {
protected:
    AppState app;
    ShellFlags& shell = app.shell;

    void SetUp() override {
        Demo& demo = *app.project.demo;
        demo.bpm = 60.0f; // one beat per second
        demo.beat_offset = 0.0f;
        demo.end_beat = 8.0f;
        fakeNow = 0;
        app.clock.ticks = fakeTicks;
        app.clock.anchor();
    }

    void frameAtBeat(float beat) {
        fakeNow = static_cast<uint32_t>(beat * 1000.0f);
        advanceTransport(app);
    }
};

TEST_F(TransportTest, DemoEndsOnlyPastItsEndBeat) {
    frameAtBeat(8.0f);
    EXPECT_FALSE(shell.quitRequested);
    frameAtBeat(8.001f);
    EXPECT_TRUE(shell.quitRequested);
}

TEST_F(TransportTest, DemoKeepsPlayingWhileTheEditorIsOrWasShown) {
    shell.editorVisible = true;
    shell.editorEverShown = true;
    frameAtBeat(9.0f);
    EXPECT_FALSE(shell.quitRequested);
    shell.editorVisible = false;
    frameAtBeat(10.0f);
    EXPECT_FALSE(shell.quitRequested);
}

TEST_F(TransportTest, FarBeatsDoNotEndTheDemo) {
    frameAtBeat(10000.0f);
    EXPECT_FALSE(shell.quitRequested);
}

TEST_F(TransportTest, TheBundledExampleEndsByItself) {
    std::filesystem::current_path(QUILLFRONT_EXAMPLE);
    app.project.demo = readJsonProject(tryReadWholeFile("content.dat.json").value());
    app.clock.anchor();
    fakeNow = 49990; // 120 BPM: beat 99.98
    advanceTransport(app);
    EXPECT_FALSE(shell.quitRequested);
    fakeNow = 50010;
    advanceTransport(app);
    EXPECT_TRUE(shell.quitRequested) << "past its end beat, 100";
}

} // namespace
