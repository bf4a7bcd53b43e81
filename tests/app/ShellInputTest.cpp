#include "app/ShellInput.h"
#include "app/BeatClock.h"
#include "app/ShellState.h"
#include "project/Demo.h"

#include <gtest/gtest.h>

namespace {

uint32_t fakeNow = 0;
uint32_t fakeTicks() { return fakeNow; }

SDL_Event keyEvent(Uint32 type, SDL_Keycode key, Uint16 mods) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mods;
    return event;
}

class ShellInputTest : public ::testing::Test {
protected:
    Demo demo;
    FrameKeys keys;

    void SetUp() override {
        quitRequested = false;
        editorVisible = false;
        editorEverShown = false;
        playerMode = false;
        theDemo = &demo;
        fakeNow = 10000;
        beatClock = BeatClock();
        beatClock.ticks = fakeTicks;
        beatClock.anchor();
    }
    void TearDown() override { theDemo = nullptr; }

    void release(SDL_Keycode key, Uint16 mods = KMOD_NONE) { handleShellEvent(keyEvent(SDL_KEYUP, key, mods), keys); }
    void press(SDL_Keycode key, Uint16 mods = KMOD_NONE) { handleShellEvent(keyEvent(SDL_KEYDOWN, key, mods), keys); }
};

TEST_F(ShellInputTest, KeysActOnReleaseNotOnPress) {
    press(SDLK_t, KMOD_LCTRL);
    press(SDLK_ESCAPE);
    EXPECT_FALSE(editorVisible);
    EXPECT_FALSE(quitRequested);
    release(SDLK_t, KMOD_LCTRL);
    EXPECT_TRUE(editorVisible);
    EXPECT_TRUE(editorEverShown);
}

TEST_F(ShellInputTest, EscapeQuitsOnlyWhileTheEditorWasNeverShown) {
    release(SDLK_t, KMOD_RCTRL);
    release(SDLK_ESCAPE);
    EXPECT_FALSE(quitRequested) << "editor visible";
    release(SDLK_t, KMOD_RCTRL);
    EXPECT_FALSE(editorVisible);
    release(SDLK_ESCAPE);
    EXPECT_FALSE(quitRequested) << "editor shown once, then hidden";

    editorEverShown = false;
    release(SDLK_ESCAPE);
    EXPECT_TRUE(quitRequested);
}

TEST_F(ShellInputTest, CtrlKeysDriveTheTransport) {
    release(SDLK_SPACE, KMOD_LCTRL);
    EXPECT_TRUE(demo.paused);
    release(SDLK_SPACE, KMOD_LCTRL);
    EXPECT_FALSE(demo.paused);

    beatClock.currentBeat = 40.0f;
    release(SDLK_PAGEUP, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(beatClock.currentBeat, 16.0f);
    release(SDLK_PAGEDOWN, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(beatClock.currentBeat, 32.0f);
    beatClock.cueBeat = 7.0f;
    release(SDLK_HOME, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(beatClock.currentBeat, 7.0f);
    EXPECT_EQ(keys.commandKey, 0);
    EXPECT_EQ(keys.windowKey, 0);
}

TEST_F(ShellInputTest, TransportKeysNeedCtrl) {
    beatClock.currentBeat = 40.0f;
    release(SDLK_SPACE);
    release(SDLK_PAGEUP, KMOD_LSHIFT);
    release(SDLK_t);
    EXPECT_FALSE(demo.paused);
    EXPECT_FLOAT_EQ(beatClock.currentBeat, 40.0f);
    EXPECT_FALSE(editorVisible);
}

TEST_F(ShellInputTest, OtherCtrlKeysBecomeTheCommandKey) {
    release(SDLK_l, KMOD_LCTRL);
    EXPECT_EQ(keys.commandKey, SDLK_l);
    EXPECT_EQ(keys.windowKey, 0);
    release(SDLK_q, KMOD_RCTRL);
    EXPECT_EQ(keys.commandKey, SDLK_q) << "the last key of the frame wins";
}

TEST_F(ShellInputTest, CtrlShiftKeysBecomeTheWindowKeyAndStillActAsCtrlKeys) {
    release(SDLK_s, KMOD_LCTRL | KMOD_LSHIFT);
    EXPECT_EQ(keys.windowKey, SDLK_s);
    EXPECT_EQ(keys.commandKey, SDLK_s);

    keys = FrameKeys();
    release(SDLK_t, KMOD_RCTRL | KMOD_RSHIFT);
    EXPECT_EQ(keys.windowKey, SDLK_t);
    EXPECT_EQ(keys.commandKey, 0);
    EXPECT_TRUE(editorVisible);
}

TEST_F(ShellInputTest, PlayerModeIgnoresCtrlKeysButQuitsOnEscape) {
    playerMode = true;
    beatClock.currentBeat = 40.0f;
    for (SDL_Keycode key : {SDLK_t, SDLK_SPACE, SDLK_HOME, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_l, SDLK_s}) {
        release(key, KMOD_LCTRL);
        release(key, KMOD_LCTRL | KMOD_LSHIFT);
    }
    EXPECT_FALSE(editorVisible);
    EXPECT_FALSE(editorEverShown);
    EXPECT_FALSE(demo.paused);
    EXPECT_FLOAT_EQ(beatClock.currentBeat, 40.0f);
    EXPECT_EQ(keys.commandKey, 0);
    EXPECT_EQ(keys.windowKey, 0);
    EXPECT_FALSE(quitRequested);
    release(SDLK_ESCAPE);
    EXPECT_TRUE(quitRequested);
}

TEST_F(ShellInputTest, WindowCloseQuits) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    editorEverShown = true;
    handleShellEvent(event, keys);
    EXPECT_TRUE(quitRequested);
}

TEST_F(ShellInputTest, WatcherQuitsWhenTheAppGoesToTheBackground) {
    SDL_Event event{};
    event.type = SDL_APP_DIDENTERFOREGROUND;
    EXPECT_EQ(watchForBackground(nullptr, &event), 1);
    EXPECT_FALSE(quitRequested);
    event.type = SDL_APP_WILLENTERBACKGROUND;
    EXPECT_EQ(watchForBackground(nullptr, &event), 1);
    EXPECT_TRUE(quitRequested);
}

} // namespace
