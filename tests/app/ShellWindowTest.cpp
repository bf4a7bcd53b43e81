// The real shell in this process: window, GL context and GUI under Xvfb.
#include "app/ProjectCommands.h"
#include "app/Shell.h"
#include "project/ProjectFiles.h"
#include "render/GlErrors.h"
#include "support/FakeTicks.h"
#include "support/GlWindow.h"
#include "support/KeyEvents.h"
#include "support/PixelMatchers.h"
#include "support/StdoutCapture.h"
#include "support/TempDir.h"
#include "support/TestProject.h"

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace {

// A pixel of the frame last presented, origin at the lower left: llvmpipe keeps
// the back buffer's content across the swap (its front buffer is not readable
// under Xvfb).
Rgba presentedAt(int x, int y) {
    Rgba pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

Rgba presentedCentre(ScreenSize screen) { return presentedAt(screen.width / 2, screen.height / 2); }

// Where the loader shows the pixel (x, y) of its 1600-pixel logo (origin at the top
// left): the logo spans the window's height, centred across its width.
Rgba presentedLogoPixel(ScreenSize screen, int x, int y) {
    const int height = screen.height;
    return presentedAt(screen.width / 2 + (x - 800) * height / 1600, height - 1 - y * height / 1600);
}

class ShellWindowTest : public ::testing::Test {
protected:
    TempDir workDir; // the GUI layer writes its settings file here
    AppState app;
    ShellFlags& shell = app.shell;
    BeatClock& clock = app.clock;
    std::string console;
    std::chrono::steady_clock::duration startUpTime{};

    // Whether start-up shows the loader screen as long as a user sees it; the
    // other tests need not wait for it.
    virtual bool waitsLikeAUser() const { return false; }

    // Readies the working folder and the environment before start-up.
    virtual void prepare() {}

    void SetUp() override {
        workDir.enter();
        prepare();
        shell.quickStart = !waitsLikeAUser();
        int status = -1;
        StdoutCapture capture;
        const auto start = std::chrono::steady_clock::now();
        const bool started = startUp(app, "/proc/self/exe", status);
        startUpTime = std::chrono::steady_clock::now() - start;
        console = capture.text();
        ASSERT_TRUE(started) << "exit status " << status;
    }
    void TearDown() override { shutDown(app); }
    Demo& demo() { return *app.project.demo; }
    // Opens the test project, its clock at one beat a second and driven by `fakeNow`.
    TestProject openTestProject() {
        TestProject project = buildTestProject();
        project.demo->bpm = 60.0f;
        project.demo->beat_offset = 0.0f;
        installProject(app, std::move(project.demo));
        clock.ticks = fakeTicks;
        fakeNow = 0;
        clock.anchor();
        return project;
    }
};

TEST_F(ShellWindowTest, OpensABorderless16By9WindowAtTheDesktopWidth) {
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(app.screen.width, desktop.w);
    EXPECT_EQ(app.screen.height, desktop.w * 9 / 16);

    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, app.screen.width);
    EXPECT_EQ(height, app.screen.height);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Quillfront by Vexlane");
}

TEST_F(ShellWindowTest, StartsTheEmptyProjectAndReportsTheGlStrings) {
    EXPECT_FLOAT_EQ(demo().end_beat, 480.0f);
    EXPECT_FLOAT_EQ(demo().bpm, 130.0f);
    EXPECT_FLOAT_EQ(demo().beat_offset, 0.5f);
    EXPECT_FALSE(clock.paused);
    EXPECT_EQ(app.exePath, "/proc/self/exe");
    EXPECT_STREQ(app.projectFileName, "untitled.demo");

    const size_t version = console.find("OpenGL version: ");
    const size_t glsl = console.find("\nGLSL version: ");
    const size_t vendor = console.find("\nVendor: ");
    const size_t renderer = console.find("\nRenderer: ");
    ASSERT_NE(version, std::string::npos) << console;
    EXPECT_LT(version, glsl);
    EXPECT_LT(glsl, vendor);
    EXPECT_LT(vendor, renderer);
    EXPECT_EQ(console.find("ERROR!"), std::string::npos) << "start-up flushes the GL error queue";
    EXPECT_EQ(console.find("error"), std::string::npos) << "no shader is compiled from an empty source";
}

class ShellStartUpTest : public ShellWindowTest {
protected:
    bool waitsLikeAUser() const override { return true; }
};

TEST_F(ShellStartUpTest, StartUpEndsOnTheLoaderScreenAfterAtLeastFourSeconds) {
    EXPECT_GE(startUpTime, std::chrono::seconds(4));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    ASSERT_NE(app.loader, nullptr);
    EXPECT_NE(app.loader->audio.sound(app.loader->jingle).chunk, nullptr) << "the jingle decodes";

    // The empty project has nothing to load: the logo shows grey, without fill.
    EXPECT_THAT(presentedLogoPixel(app.screen, 800, 255), IsRgba(128, 128, 128, 255)) << "the top of the logo's ring";
    EXPECT_THAT(presentedLogoPixel(app.screen, 800, 740), IsRgba(0, 0, 0, 255)) << "inside the ring";
}

TEST_F(ShellWindowTest, FramesApplyKeysOnRelease) {
    pushKey(SDL_KEYDOWN, SDLK_t, KMOD_LCTRL);
    runFrame(app);
    EXPECT_FALSE(shell.editorVisible);
    pushKey(SDL_KEYUP, SDLK_t, KMOD_LCTRL);
    runFrame(app);
    EXPECT_TRUE(shell.editorVisible);
    pushKey(SDL_KEYUP, SDLK_t, KMOD_LCTRL);
    pushKey(SDL_KEYUP, SDLK_ESCAPE, KMOD_NONE);
    runFrame(app);
    EXPECT_FALSE(shell.editorVisible);
    EXPECT_FALSE(shell.quitRequested);
}

TEST_F(ShellWindowTest, FramesAdvanceTheClockFromTheTickCounter) {
    runFrame(app);
    const float before = clock.currentBeat;
    SDL_Delay(100);
    runFrame(app);
    EXPECT_GT(clock.currentBeat, before + 0.1f);
}

TEST_F(ShellWindowTest, FramesComposeTheProjectAtTheClocksBeat) {
    openTestProject();

    Rgba atBeat4{}, atBeat12{};
    for (int frame = 0; frame <= 300; ++frame) {
        fakeNow = static_cast<uint32_t>(frame) * 50; // 20 frames a beat
        runFrame(app);
        if (frame == 80)
            atBeat4 = presentedCentre(app.screen);
        if (frame == 240)
            atBeat12 = presentedCentre(app.screen);
    }
    EXPECT_FLOAT_EQ(clock.currentBeat, 15.0f);
    EXPECT_THAT(atBeat4, IsRgba(64, 0, 0, 255));
    EXPECT_THAT(atBeat12, IsRgba(191, 0, 0, 255));
    EXPECT_FALSE(shell.quitRequested);
}

// The test project (its red rising with the beat) in the working folder, held
// at beat 12 by the players' test hook.
class HeldPlayerTest : public ShellWindowTest {
protected:
    void prepare() override {
        TestProject project = buildTestProject();
        for (size_t i = 0; i < project.demo->shaders.size(); ++i) // a file's program is known by its name
            project.demo->shaders[i]->fragmentShaderFilename = "resources/" + std::to_string(i) + ".frag";
        std::ofstream("content.dat.json") << writeJsonProject(*project.demo, false);
        setenv("QUILLFRONT_HOLD_BEAT", "12", 1);
    }
    void TearDown() override {
        unsetenv("QUILLFRONT_HOLD_BEAT");
        ShellWindowTest::TearDown();
    }
};

TEST_F(HeldPlayerTest, QuillfrontHoldBeatShowsThatBeatWhileTimePasses) {
    for (int frame = 0; frame < 5; ++frame) {
        SDL_Delay(100);
        runFrame(app);
    }
    EXPECT_TRUE(clock.paused);
    EXPECT_FLOAT_EQ(clock.currentBeat, 12.0f);
    EXPECT_THAT(presentedCentre(app.screen), IsRgba(191, 0, 0, 255));
}

TEST_F(ShellWindowTest, TheLoopEventSendsTheClockBackToItsStart) {
    openTestProject();
    clock.loopEvent = demo().events[1].get(); // "green", 16 .. 24

    fakeNow = 23900;
    runFrame(app);
    EXPECT_NEAR(clock.currentBeat, 23.9f, 1e-3f);
    fakeNow = 24000;
    runFrame(app);
    EXPECT_FLOAT_EQ(clock.currentBeat, 16.0f);
    fakeNow = 25000;
    runFrame(app);
    EXPECT_FLOAT_EQ(clock.currentBeat, 17.0f);

    installProject(app, std::make_unique<Demo>());
    EXPECT_EQ(clock.loopEvent, nullptr) << "a load ends the loop";
}

TEST_F(ShellWindowTest, FramesAreClearedAndBlendingIsOn) {
    runFrame(app);
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
