#include "app/ShellInput.h"
#include "app/AppState.h"
#include "support/FakeTicks.h"
#include "support/KeyEvents.h"

#include <gtest/gtest.h>

namespace {

class ShellInputTest : public ::testing::Test {
protected:
    AppState app;
    ShellFlags& shell = app.shell;
    BeatClock& clock = app.clock;
    FrameKeys keys;

    void SetUp() override {
        fakeNow = 10000;
        clock.ticks = fakeTicks;
        clock.anchor();
    }

    void release(SDL_Keycode key, Uint16 mods = KMOD_NONE) {
        handleShellEvent(app, keyEvent(SDL_KEYUP, key, mods), keys);
    }
    void press(SDL_Keycode key, Uint16 mods = KMOD_NONE) {
        handleShellEvent(app, keyEvent(SDL_KEYDOWN, key, mods), keys);
    }
};

TEST_F(ShellInputTest, KeysActOnReleaseNotOnPress) {
    press(SDLK_t, KMOD_LCTRL);
    press(SDLK_ESCAPE);
    EXPECT_FALSE(shell.editorVisible);
    EXPECT_FALSE(shell.quitRequested);
    release(SDLK_t, KMOD_LCTRL);
    EXPECT_TRUE(shell.editorVisible);
    EXPECT_TRUE(shell.editorEverShown);
}

TEST_F(ShellInputTest, EscapeQuitsOnlyWhileTheEditorWasNeverShown) {
    release(SDLK_t, KMOD_RCTRL);
    release(SDLK_ESCAPE);
    EXPECT_FALSE(shell.quitRequested) << "editor visible";
    release(SDLK_t, KMOD_RCTRL);
    EXPECT_FALSE(shell.editorVisible);
    release(SDLK_ESCAPE);
    EXPECT_FALSE(shell.quitRequested) << "editor shown once, then hidden";

    shell.editorEverShown = false;
    release(SDLK_ESCAPE);
    EXPECT_TRUE(shell.quitRequested);
}

TEST_F(ShellInputTest, CtrlKeysDriveTheTransport) {
    release(SDLK_SPACE, KMOD_LCTRL);
    EXPECT_TRUE(clock.paused);
    release(SDLK_SPACE, KMOD_LCTRL);
    EXPECT_FALSE(clock.paused);

    clock.currentBeat = 40.0f;
    release(SDLK_PAGEUP, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(clock.currentBeat, 16.0f);
    release(SDLK_PAGEDOWN, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(clock.currentBeat, 32.0f);
    clock.cueBeat = 7.0f;
    release(SDLK_HOME, KMOD_LCTRL);
    EXPECT_FLOAT_EQ(clock.currentBeat, 7.0f);
    EXPECT_EQ(keys.commandKey, 0);
    EXPECT_EQ(keys.windowKey, 0);
}

TEST_F(ShellInputTest, TransportKeysNeedCtrl) {
    clock.currentBeat = 40.0f;
    release(SDLK_SPACE);
    release(SDLK_PAGEUP, KMOD_LSHIFT);
    release(SDLK_t);
    EXPECT_FALSE(clock.paused);
    EXPECT_FLOAT_EQ(clock.currentBeat, 40.0f);
    EXPECT_FALSE(shell.editorVisible);
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
    EXPECT_TRUE(shell.editorVisible);
}

TEST_F(ShellInputTest, PlayerModeIgnoresCtrlKeysButQuitsOnEscape) {
    shell.playerMode = true;
    clock.currentBeat = 40.0f;
    for (SDL_Keycode key : {SDLK_t, SDLK_SPACE, SDLK_HOME, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_l, SDLK_s}) {
        release(key, KMOD_LCTRL);
        release(key, KMOD_LCTRL | KMOD_LSHIFT);
    }
    EXPECT_FALSE(shell.editorVisible);
    EXPECT_FALSE(shell.editorEverShown);
    EXPECT_FALSE(clock.paused);
    EXPECT_FLOAT_EQ(clock.currentBeat, 40.0f);
    EXPECT_EQ(keys.commandKey, 0);
    EXPECT_EQ(keys.windowKey, 0);
    EXPECT_FALSE(shell.quitRequested);
    release(SDLK_ESCAPE);
    EXPECT_TRUE(shell.quitRequested);
}

TEST_F(ShellInputTest, WindowCloseQuits) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    shell.editorEverShown = true;
    handleShellEvent(app, event, keys);
    EXPECT_TRUE(shell.quitRequested);
}

TEST_F(ShellInputTest, WatcherQuitsWhenTheAppGoesToTheBackground) {
    SDL_Event event{};
    event.type = SDL_APP_DIDENTERFOREGROUND;
    EXPECT_EQ(watchForBackground(&shell, &event), 1);
    EXPECT_FALSE(shell.quitRequested);
    event.type = SDL_APP_WILLENTERBACKGROUND;
    EXPECT_EQ(watchForBackground(&shell, &event), 1);
    EXPECT_TRUE(shell.quitRequested);
}

} // namespace
