// Frames composed from a project built in memory, checked by reading pixels back.
#include "composition/Composition.h"
#include "audio/AudioCache.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"
#include "support/TestProject.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

class CompositionTest : public ::testing::Test {
protected:
    GlWindow window{64, 36};
    TestProject project;
    RenderCache cache;
    AudioCache audio;
    FrameContext frame;

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        project = buildTestProject();
        frame.screen = {64, 36};
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    const Effect* frameAt(float beat) {
        glClear(GL_COLOR_BUFFER_BIT);
        frame.beat = beat;
        return renderAt(*project.demo, cache, audio, frame);
    }
    Rgba pixel() const { return window.pixelAt(32, 18); }
};

TEST_F(CompositionTest, LayersFollowTheListAndUniformsFollowTheirCurves) {
    EXPECT_EQ(frameAt(4.0f), project.red);
    EXPECT_THAT(pixel(), IsRgba(64, 0, 0, 255));
    EXPECT_EQ(frameAt(8.0f), project.red);
    EXPECT_THAT(pixel(), IsRgba(128, 0, 0, 255));
    EXPECT_EQ(frameAt(16.0f), project.green) << "the later of two overlapping events is on top";
    EXPECT_THAT(pixel(), IsRgba(0, 255, 0, 255));
    EXPECT_EQ(frameAt(24.0f), project.red) << "an event stops at its end beat";
    EXPECT_THAT(pixel(), IsRgba(255, 0, 0, 255));
}

// What a controller held: red's "level" at 0.75, and the replay's override of blue's "amount" at 1.
class HeldAmounts : public VariableHold {
public:
    std::optional<float> heldValue(const Event& event, const std::string& key, const UniformDef&) const override {
        if (event.name == "red" && key == "level")
            return 0.75f;
        if (event.name == "replay" && key == "blue.amount")
            return 1.0f;
        return std::nullopt;
    }
};

TEST_F(CompositionTest, AHeldVariableComesBeforeItsCurve) {
    const HeldAmounts held;
    frame.hold = &held;
    frameAt(4.0f);
    EXPECT_THAT(pixel(), IsRgba(191, 0, 0, 255));
    frameAt(100.0f);
    EXPECT_THAT(pixel(), IsRgba(0, 0, 255, 255)) << "a group event's override, held";
    frameAt(108.0f);
    EXPECT_THAT(pixel(), IsRgba(0, 255, 255, 255)) << "what is not held plays as before";
}

TEST_F(CompositionTest, InvisibleEventsDrawNothingButTheirInputsArePrepared) {
    EXPECT_EQ(frameAt(50.0f), nullptr);
    // Not the hidden effect's white: what its input pass left in the frame.
    EXPECT_THAT(pixel(), IsRgba(255, 255, 0, 255));
    const GLuint output = cache.effect(*project.yellow).output.texture;
    ASSERT_NE(output, 0u);
    EXPECT_THAT(window.texelAt(output, 5, 5), IsRgba(255, 255, 0, 255));
}

TEST_F(CompositionTest, GroupEventsReplayTheirMembersShiftedInTime) {
    EXPECT_EQ(frameAt(100.0f), project.blue) << "the member starting at 32 sees beat 32";
    EXPECT_THAT(pixel(), IsRgba(0, 0, 64, 255)) << "the replay's override of blue.amount";
    EXPECT_EQ(frameAt(107.9f), nullptr);
    EXPECT_EQ(frameAt(108.0f), project.cyan) << "the member starting at 40 starts at 108";
    EXPECT_THAT(pixel(), IsRgba(0, 255, 255, 255));
    EXPECT_EQ(frameAt(120.0f), nullptr);
}

TEST_F(CompositionTest, OverridesWithoutPointsGiveTheDefault) {
    Event& replay = *project.demo->events.back();
    replay.variable("blue.amount").points.clear();
    frameAt(100.0f);
    EXPECT_THAT(pixel(), IsRgba(0, 0, 255, 255)) << "default 1, not the member's own 0.5";
    replay.variables.erase("blue.amount");
    frameAt(100.0f);
    EXPECT_THAT(pixel(), IsRgba(0, 0, 128, 255)) << "the member's own variable";
}

TEST_F(CompositionTest, TheBeatUniformIsTheFramesBeatInsideGroupsToo) {
    const ShaderProgram program(
        "#version 150\nuniform float beat;\nout vec4 c;\nvoid main() { c = vec4(beat / 255.0, 0.0, 0.0, 1.0); }\n");
    project.cyan->program = const_cast<ShaderProgram*>(&program);
    frameAt(108.0f); // the replayed member sees its own beat 40
    EXPECT_THAT(pixel(), IsRgba(108, 0, 0, 255));
}

TEST_F(CompositionTest, ProjectsWithoutCapturesDrawStraightIntoTheWindow) {
    project.hidden->effects.clear();
    EXPECT_EQ(frameAt(8.0f), project.red);
    EXPECT_THAT(pixel(), IsRgba(128, 0, 0, 255));
    GLint framebuffer = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
}

TEST_F(CompositionTest, NullReferencesAndGroupCyclesAreSkipped) {
    Demo& demo = *project.demo;
    Event& replay = *demo.events.back();
    replay.group->events.push_back(nullptr);
    replay.group->events.push_back(&replay); // the group contains the event replaying it
    demo.events[0]->effect = nullptr;
    auto orphan = std::make_unique<Event>();
    orphan->type = GroupEvent;
    orphan->endBeat = 1000.0f;
    demo.events.push_back(std::move(orphan));

    EXPECT_EQ(frameAt(8.0f), nullptr);
    EXPECT_EQ(frameAt(100.0f), project.blue);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CompositionTest, DrawingLeavesAVariableForEveryLocatedUniform) {
    Event& green = *project.demo->events[1];
    EXPECT_TRUE(green.variables.empty());
    Event& blue = *project.demo->events[3];
    frameAt(100.0f);
    EXPECT_NE(blue.findVariable("amount"), nullptr);
    EXPECT_EQ(project.demo->events.back()->findVariable("amount"), nullptr);
}

TEST_F(CompositionTest, WarmUpDrawsEveryEffectOnce) {
    EffectRenderer renderer(cache, frame);
    for (const auto& effect : project.demo->effects)
        warmUpEffect(renderer, *effect);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
