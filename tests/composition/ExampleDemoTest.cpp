// The bundled example, composed for real: its frames show what the demo is.
#include "audio/AudioCache.h"
#include "composition/Composition.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/GlWindow.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int width = 320;
constexpr int height = 180;

class ExampleDemoTest : public ::testing::Test {
protected:
    GlWindow window{width, height};
    std::unique_ptr<Demo> demo;
    RenderCache cache;
    AudioCache audio;
    FrameContext frame;
    const std::vector<uint8_t> loudSpectrum = std::vector<uint8_t>(1024 * 2 * 4, 160);

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        std::filesystem::current_path(QUILLFRONT_EXAMPLE);
        demo = readJsonProject(tryReadWholeFile("content.dat.json").value());
        frame.screen = {width, height};
        frame.paused = true; // no samples: this test has no mixer
        frame.soundRows = loudSpectrum.data();
    }
    std::vector<uint8_t> frameAt(float beat) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        frame.beat = beat;
        renderAt(*demo, cache, audio, frame);
        std::vector<uint8_t> pixels(width * height * 4);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

// The share of pixels that differ by more than a little between two frames.
double differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        count += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 24;
    return static_cast<double>(count) / (width * height);
}

TEST_F(ExampleDemoTest, FramesAtThreeBeatsDifferFromEachOtherAndFromBlank) {
    const std::vector<uint8_t> blank(width * height * 4, 0);
    const std::vector<uint8_t> title = frameAt(7.0f);
    for (float beat = 28.0f; beat < 40.0f; beat += 0.25f) // the trails build up frame by frame
        frameAt(beat);
    const std::vector<uint8_t> bars = frameAt(40.0f);
    const std::vector<uint8_t> kaleidoscope = frameAt(60.0f);
    for (const auto* shown : {&title, &bars, &kaleidoscope})
        EXPECT_GT(differing(*shown, blank), 0.005);
    EXPECT_GT(differing(title, bars), 0.05);
    EXPECT_GT(differing(bars, kaleidoscope), 0.05);
    EXPECT_GT(differing(title, kaleidoscope), 0.02);
}

} // namespace
