// Where composed frames draw: input effects with feedback over several frames,
// and screen captures taken between other layers. Pixels read back.
#include "composition/Composition.h"
#include "render/RenderTestSupport.h"
#include "support/ComposedFrame.h"
#include "support/PixelMatchers.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

// Samples unit 0 and unit 1 where the texture coordinates are.
const char* const samplerHeader =
    "#version 150\nuniform sampler2D tex, tex1; uniform vec2 resolution; uniform float beat;\n"
    "out vec4 c;\nvec2 uv() { return gl_FragCoord.xy / resolution; }\n";

class CompositionTargetsTest : public ComposedFrameTest {
protected:
    Effect& addEffect(const std::string& body, bool feedback = false, bool screen = false) {
        demo.shaders.push_back(makeProgram(samplerHeader + body));
        demo.effects.push_back(
            std::make_unique<Effect>(body, demo.shaders.back().get(), nullptr, nullptr, feedback, screen));
        return *demo.effects.back();
    }
    void addLayer(Effect& effect) {
        auto event = std::make_unique<Event>();
        event->effect = &effect;
        event->endBeat = 100.0f;
        demo.events.push_back(std::move(event));
    }
    const Effect* frameAt(float beat) {
        glClear(GL_COLOR_BUFFER_BIT);
        frame.beat = beat;
        return renderAt(demo, cache, audio, frame);
    }
    Rgba pixel() const { return window.pixelAt(width / 2, height / 2); }
    Rgba output(const Effect& effect) { return window.texelAt(cache.effect(effect).output.texture, 5, 5); }
};

TEST_F(CompositionTargetsTest, AnInputWithFeedbackSeesItsPreviousFrameNeverItself) {
    // Adds an eighth of red to what it drew the frame before, and shows the beat in green.
    Effect& counter =
        addEffect("void main() { c = vec4(texture(tex, uv()).r + 0.125, beat / 255.0, 0.0, 1.0); }", true);
    Effect& shown = addEffect("void main() { c = texture(tex, uv()); }");
    shown.effects.push_back(&counter);
    addLayer(shown);

    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(frameAt(static_cast<float>(n)), &shown);
        const Rgba expected = {static_cast<uint8_t>(32 * n), static_cast<uint8_t>(n), 0, 255};
        EXPECT_THAT(output(counter), IsRgba(expected[0], expected[1], 0, 255)) << "frame " << n;
        EXPECT_THAT(pixel(), IsRgba(expected[0], expected[1], 0, 255)) << "frame " << n;
    }
    GLint framebuffer = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0) << "the frame is shown in the window";
}

TEST_F(CompositionTargetsTest, CapturesBetweenLayersTakeThePictureDrawnSoFar) {
    Effect& red = addEffect("void main() { c = vec4(1.0, 0.0, 0.0, 1.0); }");
    // The screen is its first unit: it halves the picture below it.
    Effect& halve = addEffect("void main() { c = vec4(texture(tex, uv()).rgb * 0.5, 1.0); }", false, true);
    Effect& blueWash = addEffect("void main() { c = vec4(0.0, 0.0, 1.0, 0.5); }");
    // With feedback as well, unit 0 and the screen's unit 1 both show the capture.
    Effect& average = addEffect(
        "void main() { c = vec4((texture(tex, uv()).rgb + texture(tex1, uv()).rgb) * 0.25, 1.0); }", true, true);
    for (Effect* layer : {&red, &halve, &blueWash, &average})
        addLayer(*layer);

    EXPECT_EQ(frameAt(1.0f), &average);
    EXPECT_THAT(output(halve), IsRgba(255, 0, 0, 255)) << "the first capture: red alone";
    EXPECT_THAT(output(average), IsRgba(64, 0, 128, 191)) << "the second: halved red under the wash, blended alpha";
    EXPECT_THAT(pixel(), IsRgba(32, 0, 64, 255));
    GLint framebuffer = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);

    demo.events.back()->visible = false; // one capture left: the wash draws in the window
    frameAt(2.0f);
    EXPECT_THAT(pixel(), IsRgba(64, 0, 128, 255));
    EXPECT_THAT(output(halve), IsRgba(255, 0, 0, 255));
}

} // namespace
