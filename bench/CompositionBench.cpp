// The CPU cost of composing a frame: a project of 200 effect events, 50 of them
// active, each with two author uniforms, one automated by control points. The
// window is tiny so that the rasteriser's work does not hide the CPU's.
// Reports GL calls and heap allocations per frame beside the time.
#include "AllocationCounter.h"
#include "GlCallCounter.h"
#include "audio/AudioCache.h"
#include "composition/Composition.h"
#include "project/Demo.h"
#include "support/GlWindow.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int eventCount = 200;
constexpr int activeEvery = 4; // every fourth event is active at the measured beat
constexpr int programCount = 10;
constexpr float measuredBeat = 50.0f;

std::unique_ptr<Demo> buildProject() {
    auto demo = std::make_unique<Demo>();
    for (int p = 0; p < programCount; ++p) {
        auto program = std::make_unique<ShaderProgram>();
        program->fragmentShaderSource = "#version 150\nuniform float beat, speed, shade;\nuniform vec2 resolution;\n"
                                        "out vec4 c;\nvoid main() { c = vec4(fract(beat * speed), shade, " +
                                        std::to_string(p) + ".0 / 10.0, 0.5); }\n";
        for (const char* name : {"speed", "shade"}) {
            auto uniform = std::make_unique<UniformDef>();
            uniform->name = name;
            program->uniformDefs.push_back(std::move(uniform));
        }
        demo->effects.push_back(
            std::make_unique<Effect>("effect " + std::to_string(p), program.get(), nullptr, nullptr, false, false));
        demo->shaders.push_back(std::move(program));
    }
    for (int i = 0; i < eventCount; ++i) {
        auto event = std::make_unique<Event>();
        event->name = "event " + std::to_string(i);
        event->effect = demo->effects[static_cast<size_t>(i % programCount)].get();
        const bool active = i % activeEvery == 0;
        event->startBeat = active ? 0.0f : 200.0f;
        event->endBeat = event->startBeat + 100.0f;
        ControlPointList& speed = event->variable("speed");
        speed.mode = Smooth;
        for (int k = 0; k < 8; ++k)
            speed.points.push_back({static_cast<float>(k * 16), static_cast<float>(k % 3), ""});
        demo->events.push_back(std::move(event));
    }
    return demo;
}

void BM_RenderAt(benchmark::State& state) {
    GlWindow window(64, 36);
    auto demo = buildProject();
    RenderCache cache;
    AudioCache audio;
    FrameContext frame;
    frame.beat = measuredBeat;
    frame.screen = {64, 36};
    cache.build(*demo, frame.screen);
    countGlCalls();
    renderAt(*demo, cache, audio, frame); // first frame creates the variables drawing looks up
    glFinish();

    uint64_t frames = 0;
    const uint64_t callsBefore = glCallCount;
    const uint64_t allocationsBefore = heapAllocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderAt(*demo, cache, audio, frame));
        ++frames;
        if (frames % 64 == 0) {
            state.PauseTiming();
            glFinish(); // keep the driver's queue short without timing the rasteriser
            state.ResumeTiming();
        }
    }
    state.counters["gl_calls_per_frame"] = static_cast<double>(glCallCount - callsBefore) / static_cast<double>(frames);
    state.counters["allocations_per_frame"] =
        static_cast<double>(heapAllocations - allocationsBefore) / static_cast<double>(frames);
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

} // namespace

BENCHMARK(BM_RenderAt)->Unit(benchmark::kMicrosecond);
