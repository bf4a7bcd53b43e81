// What it costs to bring an effect's image into its output texture at 1920 × 1080,
// alone and within a frame of an effect with four input effects.
//
// - CpuRoundTrip: glReadPixels of the window, then glTexImage2D (the original design).
// - BlitFromWindow: EffectTargets::captureScreen while drawing into the window's back buffer.
// - BlitFromScene: EffectTargets::captureScreen while drawing into an RGBA8 framebuffer of
//   the window's size, blitted to the window once at the end of the frame.
// - CopyTexSubImage: glCopyTexSubImage2D from the back buffer, for comparison.
#include "project/Effect.h"
#include "project/ShaderProgram.h"
#include "render/EffectRenderer.h"
#include "support/GlWindow.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int width = 1920;
constexpr int height = 1080;
constexpr int inputCount = 4;

const char* const inputShader = R"(#version 150
uniform float beat; uniform vec2 resolution;
out vec4 c;
void main() { vec2 uv = gl_FragCoord.xy / resolution; c = vec4(uv, fract(beat), 1.0); })";

const char* const mixShader = R"(#version 150
uniform sampler2D tex, tex1, tex2, tex3; uniform vec2 resolution;
out vec4 c;
void main() {
  vec2 uv = gl_FragCoord.xy / resolution;
  c = (texture(tex, uv) + texture(tex1, uv) + texture(tex2, uv) + texture(tex3, uv)) * 0.25;
})";

enum class Capture { none, cpuRoundTrip, blit, copyTexSubImage };

struct Scene {
    GlWindow window{width, height};
    ShaderProgram inputProgram{inputShader};
    ShaderProgram mixProgram{mixShader};
    std::vector<std::unique_ptr<Effect>> inputs;
    std::unique_ptr<Effect> visible;
    std::vector<uint8_t> cpuBuffer = std::vector<uint8_t>(static_cast<size_t>(width) * height * 4);
    RenderCache cache;
    FrameContext frameValues;
    EffectRenderer renderer{cache, frameValues};

    Scene() {
        frameValues.screen = {width, height};
        visible = std::make_unique<Effect>("mix", &mixProgram, nullptr, nullptr, false, false);
        for (int i = 0; i < inputCount; ++i) {
            inputs.push_back(std::make_unique<Effect>("input", &inputProgram, nullptr, nullptr, false, false));
            cache.effect(*inputs.back()).ensureCaptureTarget(frameValues.screen);
            visible->effects.push_back(inputs.back().get());
        }
    }

    void capture(const Effect& effect, Capture how) {
        EffectTargets& targets = cache.effect(effect);
        switch (how) {
        case Capture::none:
            break;
        case Capture::cpuRoundTrip:
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, cpuBuffer.data());
            glBindTexture(GL_TEXTURE_2D, targets.output.texture);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, cpuBuffer.data());
            break;
        case Capture::blit:
            targets.captureScreen(frameValues.screen);
            break;
        case Capture::copyTexSubImage:
            glReadBuffer(GL_BACK);
            glBindTexture(GL_TEXTURE_2D, targets.output.texture);
            glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
            break;
        }
    }

    void frame(Capture how, bool throughScene) {
        if (throughScene)
            cache.scene().begin(frameValues.screen, inputCount, 0);
        else
            glClear(GL_COLOR_BUFFER_BIT);
        for (auto& input : inputs) {
            renderer.drawPass(*input, false);
            capture(*input, how);
        }
        renderer.drawPass(*visible, false);
        cache.scene().finish();
        glFinish();
    }
};

Scene& scene() {
    static Scene shared;
    return shared;
}

void BM_Capture(benchmark::State& state, Capture how, bool fromScene) {
    Scene& s = scene();
    if (fromScene)
        s.cache.scene().begin(s.frameValues.screen, 1, 0);
    s.renderer.drawPass(*s.inputs[0], false);
    glFinish();
    for (auto _ : state) {
        s.capture(*s.inputs[0], how);
        glFinish();
    }
    s.cache.scene().finish();
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

void BM_Frame(benchmark::State& state, Capture how, bool throughScene) {
    Scene& s = scene();
    for (auto _ : state)
        s.frame(how, throughScene);
}

} // namespace

BENCHMARK_CAPTURE(BM_Capture, CpuRoundTrip, Capture::cpuRoundTrip, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Capture, BlitFromWindow, Capture::blit, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Capture, BlitFromScene, Capture::blit, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Capture, CopyTexSubImage, Capture::copyTexSubImage, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Frame, NoCapture, Capture::none, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Frame, CpuRoundTrip, Capture::cpuRoundTrip, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Frame, BlitFromWindow, Capture::blit, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Frame, BlitThroughScene, Capture::blit, true)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
