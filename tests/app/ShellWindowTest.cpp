// The real shell in this process: window, GL context and GUI under Xvfb.
#include "app/BeatClock.h"
#include "app/Shell.h"
#include "app/ShellState.h"
#include "project/Demo.h"
#include "render/GlErrors.h"
#include "render/ScreenSize.h"
#include "support/StdoutCapture.h"
#include "support/TempDir.h"

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

namespace {

void pushKey(Uint32 type, SDL_Keycode key, Uint16 mods) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    event.key.keysym.sym = key;
    event.key.keysym.mod = mods;
    SDL_PushEvent(&event);
}

class ShellWindowTest : public ::testing::Test {
protected:
    TempDir workDir; // the GUI layer writes its settings file here
    std::string console;

    void SetUp() override {
        workDir.enter();
        int status = -1;
        StdoutCapture capture;
        const bool started = startUp("/proc/self/exe", status);
        console = capture.text();
        ASSERT_TRUE(started) << "exit status " << status;
    }
    void TearDown() override { shutDown(); }
};

TEST_F(ShellWindowTest, OpensABorderless16By9WindowAtTheDesktopWidth) {
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(screenSize.width, desktop.w);
    EXPECT_EQ(screenSize.height, desktop.w * 9 / 16);

    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, screenSize.width);
    EXPECT_EQ(height, screenSize.height);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Quillfront by Vexlane");
}

TEST_F(ShellWindowTest, StartsTheEmptyProjectAndReportsTheGlStrings) {
    ASSERT_NE(theDemo, nullptr);
    EXPECT_FLOAT_EQ(theDemo->end_beat, 480.0f);
    EXPECT_FLOAT_EQ(theDemo->bpm, 130.0f);
    EXPECT_FLOAT_EQ(theDemo->beat_offset, 0.5f);
    EXPECT_FALSE(theDemo->paused);
    EXPECT_EQ(exePath, "/proc/self/exe");
    EXPECT_STREQ(projectFileName, "untitled.demo");

    const size_t version = console.find("OpenGL version: ");
    const size_t glsl = console.find("\nGLSL version: ");
    const size_t vendor = console.find("\nVendor: ");
    const size_t renderer = console.find("\nRenderer: ");
    ASSERT_NE(version, std::string::npos) << console;
    EXPECT_LT(version, glsl);
    EXPECT_LT(glsl, vendor);
    EXPECT_LT(vendor, renderer);
    EXPECT_EQ(console.find("ERROR!"), std::string::npos) << "start-up flushes the GL error queue";
}

TEST_F(ShellWindowTest, FramesApplyKeysOnRelease) {
    pushKey(SDL_KEYDOWN, SDLK_t, KMOD_LCTRL);
    runFrame();
    EXPECT_FALSE(editorVisible);
    pushKey(SDL_KEYUP, SDLK_t, KMOD_LCTRL);
    runFrame();
    EXPECT_TRUE(editorVisible);
    pushKey(SDL_KEYUP, SDLK_t, KMOD_LCTRL);
    pushKey(SDL_KEYUP, SDLK_ESCAPE, KMOD_NONE);
    runFrame();
    EXPECT_FALSE(editorVisible);
    EXPECT_FALSE(quitRequested);
}

TEST_F(ShellWindowTest, FramesAdvanceTheClockFromTheTickCounter) {
    runFrame();
    const float before = beatClock.currentBeat;
    SDL_Delay(100);
    runFrame();
    EXPECT_GT(beatClock.currentBeat, before + 0.1f);
}

TEST_F(ShellWindowTest, FramesAreClearedAndBlendingIsOn) {
    runFrame();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(ShellWindowTest, GlErrorsArePrintedAndDrained) {
    glEnable(0xFFFF); // not a capability: GL_INVALID_ENUM
    StdoutCapture capture;
    EXPECT_EQ(checkGlErrors("probe"), 0);
    EXPECT_EQ(capture.text(), "ERROR! probe: 500\n");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
