// The loader screen drawn for real into a 1920 × 1080 window, and its built-in
// jingle decoded by the mixer on SDL's dummy audio driver.
#include "player/LoaderScreen.h"
#include "assets/BuiltinAssets.h"
#include "audio/AudioDevice.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"
#include "support/StdoutCapture.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

constexpr int width = 1920;
constexpr int height = 1080;
constexpr int logoSize = 1600;

// A pixel of the logo image, origin at its top left.
struct LogoPixel {
    int x;
    int y;
};

// Places in the logo, picked at heights either side of the fill's edges. The logo
// is a thick ring (a "Q") with a quill across its lower right.
constexpr LogoPixel ringBottom{800, 1225};   // 23 % up the window
constexpr LogoPixel ringLowerLeft{368, 960}; // 40 % up
constexpr LogoPixel ringLeft{315, 740};      // 54 % up
constexpr LogoPixel ringTop{800, 255};       // 84 % up
constexpr LogoPixel ringTopEdge{800, 160};   // 90 % up
constexpr LogoPixel ringHole{800, 740};      // light, 54 % up
constexpr LogoPixel belowTheRing{800, 1500}; // light, 6 % up
constexpr LogoPixel topLeftCorner{100, 100}; // light, 94 % up
constexpr LogoPixel darkPixels[] = {ringBottom, ringLowerLeft, ringLeft, ringTop, ringTopEdge};
constexpr LogoPixel lightPixels[] = {ringHole, belowTheRing, topLeftCorner};

const auto yellow = IsRgba(255, 255, 0, 255);
const auto white = IsRgba(255, 255, 255, 255);
const auto grey = IsRgba(128, 128, 128, 255);
const auto black = IsRgba(0, 0, 0, 255);

class LoaderScreenTest : public ::testing::Test {
protected:
    GlWindow window{width, height};
    LoaderScreen loader;
    std::string console; // what setting up printed

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        StdoutCapture capture;
        setUpLoader(loader, SDL_GL_GetCurrentWindow(), SDL_GL_GetCurrentContext());
        console = capture.text();
    }

    // The window pixel showing a logo pixel: the logo spans the window's height,
    // centred across its width, upright.
    Rgba shown(LogoPixel pixel) const {
        const double scale = static_cast<double>(height) / logoSize;
        const int x = static_cast<int>((width - height) / 2 + pixel.x * scale);
        const int y = static_cast<int>(height - 1 - pixel.y * scale);
        return window.pixelAt(x, y);
    }
    bool darkInImage(LogoPixel pixel) {
        return window.texelAt(loader.render.image(loader.logo).glTexture, pixel.x, pixel.y)[0] < 128;
    }
    void expectNoFill() const {
        for (const LogoPixel pixel : darkPixels)
            EXPECT_THAT(shown(pixel), grey) << pixel.x << ", " << pixel.y;
        for (const LogoPixel pixel : lightPixels)
            EXPECT_THAT(shown(pixel), black) << pixel.x << ", " << pixel.y;
    }
    void expectFilledToHalfHeight() const {
        EXPECT_THAT(shown(ringBottom), yellow);
        EXPECT_THAT(shown(ringLowerLeft), white) << "the band below the fill's top";
        EXPECT_THAT(shown(ringLeft), grey);
        EXPECT_THAT(shown(ringTop), grey);
        EXPECT_THAT(shown(belowTheRing), black);
        EXPECT_THAT(shown(ringHole), black);
    }
};

TEST_F(LoaderScreenTest, TheLogoIsASquareImageDarkOnItsRing) {
    const Effect& effect = loader.effect;
    EXPECT_EQ(effect.name, "Loader");
    ASSERT_EQ(effect.textures.size(), 1u);
    EXPECT_EQ(effect.textures[0], &loader.logo);
    EXPECT_EQ(loader.logo.name, "loader");
    EXPECT_EQ(loader.render.image(loader.logo).width, logoSize);
    EXPECT_EQ(loader.render.image(loader.logo).height, logoSize);
    for (const LogoPixel pixel : darkPixels)
        EXPECT_TRUE(darkInImage(pixel)) << pixel.x << ", " << pixel.y;
    for (const LogoPixel pixel : lightPixels)
        EXPECT_FALSE(darkInImage(pixel)) << pixel.x << ", " << pixel.y;
    const CompiledProgram& program = loader.render.program(*effect.program);
    EXPECT_TRUE(program.linked) << program.compileLog;
    EXPECT_EQ(program.compileLog, "Compilation successful.");
    EXPECT_EQ(console, "") << "no shader is compiled from an empty source first";
    EXPECT_FALSE(effect.feedback);
    EXPECT_FALSE(effect.screenTexture);
    EXPECT_TRUE(effect.effects.empty());
}

TEST_F(LoaderScreenTest, AQuarterLoadedFillsTheLowerHalf) {
    renderLoaderFrame(loader, 25, 100);
    expectFilledToHalfHeight();
    EXPECT_THAT(window.pixelAt(200, 100), black) << "beside the logo";
    EXPECT_THAT(window.pixelAt(width - 200, 100), black) << "beside the logo";
}

TEST_F(LoaderScreenTest, HalfLoadedFillsToTheTop) {
    renderLoaderFrame(loader, 50, 100);
    EXPECT_THAT(shown(ringBottom), yellow);
    EXPECT_THAT(shown(ringLowerLeft), yellow);
    EXPECT_THAT(shown(ringLeft), yellow);
    EXPECT_THAT(shown(ringTopEdge), white) << "the band below the fill's top";
    for (const LogoPixel pixel : lightPixels)
        EXPECT_THAT(shown(pixel), black) << pixel.x << ", " << pixel.y;
}

TEST_F(LoaderScreenTest, TheFillFallsBackDuringTheSecondHalf) {
    renderLoaderFrame(loader, 75, 100);
    expectFilledToHalfHeight();
}

TEST_F(LoaderScreenTest, FullyLoadedShowsTheLogoGreyWithoutFill) {
    renderLoaderFrame(loader, 100, 100);
    expectNoFill();
}

TEST_F(LoaderScreenTest, AnEmptyProjectShowsTheLogoGreyWithoutFill) {
    renderLoaderFrame(loader, 0, 0);
    expectNoFill();
}

TEST_F(LoaderScreenTest, FramesDiscardInputAndLeaveTheClearColourBlack) {
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    SDL_Event key{};
    key.type = SDL_KEYUP;
    key.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&key);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);

    const Uint32 start = SDL_GetTicks();
    renderLoaderFrame(loader, 1, 2);
    EXPECT_GE(SDL_GetTicks() - start, 20u);

    // The window system may post events of its own meanwhile; the key must be gone.
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_KEYUP, SDL_KEYUP), 0);
    float clearColour[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    EXPECT_EQ(clearColour[0], 0.0f);
    EXPECT_EQ(clearColour[1], 0.0f);
    EXPECT_EQ(clearColour[2], 0.0f);
    EXPECT_EQ(clearColour[3], 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(LoaderJingleTest, DecodesToAboutHalfASecond) {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0) << SDL_GetError();
    ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
    {
        SampleSound jingle;
        jingle.loadChunk(loaderJingle());
        ASSERT_NE(jingle.chunk, nullptr) << Mix_GetError();
        EXPECT_GE(jingle.durationMs, 400u);
        EXPECT_LE(jingle.durationMs, 600u);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

} // namespace
