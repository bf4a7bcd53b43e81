// Effects drawn for real into a small window, checked by reading pixels back.
#include "project/Effect.h"
#include "composition/BeatClock.h"
#include "render/Camera.h"
#include "render/RenderTestSupport.h"
#include "render/ScreenSize.h"
#include "render/SoundTexture.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

constexpr int width = 160;
constexpr int height = 90;

class EffectTest : public ::testing::Test {
protected:
    GlWindow window{width, height};
    TestRenderer test{width, height};
    RenderCache& cache = test.cache;
    FrameContext& frame = test.frame;
    EffectRenderer& renderer = test.renderer;

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }
    Rgba centre() const { return window.pixelAt(width / 2, height / 2); }
    void clearTo(float r, float g, float b) {
        glClearColor(r, g, b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

TEST_F(EffectTest, ConstantShaderFillsTheWindow) {
    auto program = makeProgram(constantShader("vec4(1.0, 0.5, 0.0, 1.0)"));
    Effect effect("fill", program.get(), nullptr, nullptr, false, false);
    renderer.drawPass(effect, false);
    EXPECT_THAT(window.pixelAt(0, 0), IsRgba(255, 128, 0, 255));
    EXPECT_THAT(window.pixelAt(width - 1, height - 1), IsRgba(255, 128, 0, 255));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EffectTest, BuiltinUniformsAndDefaultsReachTheShader) {
    auto program = makeProgram(R"(#version 150
uniform float beat; uniform int sound; uniform vec2 resolution;
uniform vec3 camera_position; uniform float brightness;
out vec4 c;
void main() {
  c = vec4(beat / 255.0, resolution.x / 255.0, resolution.y / 255.0 + float(sound), 1.0);
  if (gl_FragCoord.x < 1.0)
    c = vec4(camera_position.xy / 255.0, brightness, 1.0);
})");
    auto brightness = std::make_unique<UniformDef>();
    brightness->name = "brightness";
    brightness->defaultVal = 0.6f;
    program->uniformDefs.push_back(std::move(brightness));
    frame.beat = 100.0f;
    frame.camera.position = {10.0f, 20.0f, 30.0f};

    Effect effect("uniforms", program.get(), nullptr, nullptr, false, false);
    renderer.bindInputs(effect, false);
    renderer.setBuiltinUniforms(cache.program(*program));
    cache.program(*program).setUniformDefaults(*program);
    renderer.drawQuad(effect);
    EXPECT_THAT(centre(), IsRgba(100, width, height, 255));
    EXPECT_THAT(window.pixelAt(0, 10), IsRgba(10, 20, 153, 255));
}

TEST_F(EffectTest, ImagesTakeTheFirstUnitsAndTheScreenTheNext) {
    auto red = solidTexture(255, 0, 0);
    auto green = solidTexture(0, 255, 0);
    auto program = makeProgram(R"(#version 150
uniform sampler2D tex, tex1, tex2; uniform vec2 resolution;
out vec4 c;
void main() {
  vec2 uv = gl_FragCoord.xy / resolution;
  c = uv.x < 0.33 ? texture(tex, uv) : uv.x < 0.66 ? texture(tex1, uv) : texture(tex2, uv);
})");
    Effect effect("images and screen", program.get(), red.get(), nullptr, false, true);
    effect.textures.push_back(green.get());
    clearTo(0.0f, 0.0f, 1.0f);

    EXPECT_EQ(renderer.bindInputs(effect, false), 3u);
    renderer.setBuiltinUniforms(cache.program(*program));
    renderer.drawQuad(effect);
    EXPECT_THAT(window.pixelAt(10, 45), IsRgba(255, 0, 0, 255));
    EXPECT_THAT(window.pixelAt(80, 45), IsRgba(0, 255, 0, 255));
    EXPECT_THAT(window.pixelAt(150, 45), IsRgba(0, 0, 255, 255));
}

TEST_F(EffectTest, UnitsFollowFeedbackTexturesInputsAndScreen) {
    auto image = solidTexture(255, 255, 255);
    auto program = makeProgram(constantShader("vec4(1.0)"));
    Effect input("input", program.get(), nullptr, nullptr, false, false);
    Effect effect("all", program.get(), image.get(), &input, true, true);
    effect.textures.push_back(image.get()); // listed twice: two units
    effect.textures.push_back(nullptr);     // unresolved: keeps its unit
    cache.effect(input).ensureCaptureTarget(frame.screen);
    ASSERT_EQ(renderer.bindInputs(effect, false), 6u);
    GLint bound = 0;
    const GLuint own = cache.effect(effect).output.texture;
    const GLuint texel = cache.image(*image).glTexture;
    const GLuint expected[6] = {own, texel, texel, 0, cache.effect(input).output.texture, own};
    for (unsigned unit = 0; unit < 6; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), expected[unit]) << "unit " << unit;
    }
}

TEST_F(EffectTest, DrawPassUnbindsTheUnitsItUsed) {
    auto image = solidTexture(255, 255, 255);
    auto program = makeProgram(constantShader("vec4(1.0)"));
    Effect plain("plain", program.get(), nullptr, nullptr, false, false);
    EXPECT_EQ(renderer.bindInputs(plain, false), 0u);
    Effect effect("image", program.get(), image.get(), nullptr, false, false);
    renderer.drawPass(effect, false);
    GLint bound = -1;
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(EffectTest, FeedbackSeesThePreviousOutputOnUnitZero) {
    auto program = makeProgram(R"(#version 150
uniform sampler2D tex; uniform vec2 resolution;
out vec4 c;
void main() { c = texture(tex, gl_FragCoord.xy / resolution) + vec4(0.25, 0.0, 0.0, 1.0); })");
    Effect effect("feedback", program.get(), nullptr, nullptr, true, false);
    renderer.renderInputPass(effect); // first pass samples the zero-filled new texture
    EXPECT_THAT(window.texelAt(cache.effect(effect).output.texture, 5, 5), IsRgba(64, 0, 0, 255));
    renderer.renderInputPass(effect);
    EXPECT_THAT(window.texelAt(cache.effect(effect).output.texture, 5, 5), IsRgba(128, 0, 0, 255));
}

TEST_F(EffectTest, InputEffectIsCapturedBeforeTheVisibleLayerDraws) {
    auto yellow = makeProgram(constantShader("vec4(1.0, 1.0, 0.0, 1.0)"));
    auto halve = makeProgram(R"(#version 150
uniform sampler2D tex; uniform vec2 resolution;
out vec4 c;
void main() { c = vec4(texture(tex, gl_FragCoord.xy / resolution).rgb * 0.5, 1.0); })");
    Effect input("yellow", yellow.get(), nullptr, nullptr, false, false);
    Effect visible("halve", halve.get(), nullptr, &input, false, false);
    renderer.drawPass(visible, true);
    EXPECT_THAT(window.texelAt(cache.effect(input).output.texture, 3, 3), IsRgba(255, 255, 0, 255));
    EXPECT_THAT(centre(), IsRgba(128, 128, 0, 255));
}

TEST_F(EffectTest, InputCyclesAreCut) {
    auto program = makeProgram(R"(#version 150
uniform sampler2D tex; uniform vec2 resolution;
out vec4 c;
void main() { c = texture(tex, gl_FragCoord.xy / resolution) + vec4(0.0, 0.1, 0.0, 1.0); })");
    Effect self("self", program.get(), nullptr, nullptr, false, false);
    self.effects.push_back(&self);
    renderer.renderInputPass(self);
    renderer.renderInputPass(self);
    EXPECT_THAT(window.texelAt(cache.effect(self).output.texture, 1, 1), IsRgba(0, 51, 0, 255))
        << "its own last output, twice";

    Effect a("a", program.get(), nullptr, nullptr, false, false);
    Effect b("b", program.get(), nullptr, &a, false, false);
    a.effects.push_back(&b);
    renderer.drawPass(a, true);
    EXPECT_NE(cache.effect(b).output.texture, 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EffectTest, EffectWithoutProgramDrawsNothing) {
    auto program = makeProgram(constantShader("vec4(1.0)"));
    Effect orphan("no program", nullptr, nullptr, nullptr, true, true);
    Effect user("uses orphan", program.get(), nullptr, &orphan, false, false);
    clearTo(0.0f, 0.0f, 1.0f);
    renderer.drawPass(orphan, true);
    renderer.renderInputPass(orphan);
    EXPECT_EQ(renderer.bindInputs(orphan, true), 0u);
    EXPECT_EQ(cache.effect(orphan).output.texture, 0u);
    EXPECT_THAT(centre(), IsRgba(0, 0, 255, 255));
    renderer.drawPass(user, true);
    EXPECT_THAT(centre(), IsRgba(255, 255, 255, 255));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EffectTest, BrokenProgramDrawsNothingQuietlyUntilFixed) {
    auto program = makeProgram("#version 150\nthis does not compile\n");
    ASSERT_EQ(cache.program(*program).builtins.vp, -1);
    Effect effect("broken", program.get(), nullptr, nullptr, false, false);
    clearTo(0.0f, 0.0f, 1.0f);
    renderer.drawPass(effect, false);
    EXPECT_THAT(centre(), IsRgba(0, 0, 255, 255));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    program->fragmentShaderSource = constantShader("vec4(0.0, 1.0, 0.0, 1.0)");
    program->edits.touch();
    renderer.drawPass(effect, false);
    EXPECT_THAT(centre(), IsRgba(0, 255, 0, 255));
}

TEST_F(EffectTest, SoundTextureIsAZeroFilled1024By2Texture) {
    SoundTexture sound;
    GLint size[2] = {};
    glBindTexture(GL_TEXTURE_2D, sound.glTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
    EXPECT_EQ(size[0], 1024);
    EXPECT_EQ(size[1], 2);
    EXPECT_THAT(window.texelAt(sound.glTexture, 1023, 1), IsRgba(0, 0, 0, 0));
}

TEST_F(EffectTest, TexturesClampWithNearestFiltering) {
    auto texture = solidTexture(1, 2, 3);
    glBindTexture(GL_TEXTURE_2D, cache.image(*texture).glTexture);
    GLint wrap = 0, filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(wrap, GL_CLAMP) << "this context accepts the legacy wrap mode";
    EXPECT_EQ(filter, GL_NEAREST);
}

TEST(CoreContextTest, ClampBecomesClampToEdge) {
    GlWindow window(32, 18, {3, 2, true});
    ASSERT_TRUE(window.ok()) << window.error();
    RenderCache cache;
    auto texture = solidTexture(1, 2, 3);
    glBindTexture(GL_TEXTURE_2D, cache.image(*texture).glTexture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
}

} // namespace
