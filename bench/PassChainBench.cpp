// What input effects, feedback and screen captures cost over the passes they are
// made of. Each case composes whole frames through renderAt and stands beside its
// floor: the same number of full-screen passes of the same shader drawn straight
// into the window, each sampling a window-sized image of its own where the case
// samples another pass's output (so both read as much memory). At 1920 × 1080 and
// 3840 × 2160.
//
// - Chain/N: a visible effect at the end of N chained input effects.
// - Feedback: 4 chained input effects that each also read their previous frame.
// - Capture: four layers, the third taking the screen drawn so far.
//
// Beside the time: heap allocations, GL objects created and pixel read-backs per
// frame, all expected to be zero.
#include "AllocationCounter.h"
#include "GlCallCounter.h"
#include "audio/AudioCache.h"
#include "composition/Composition.h"
#include "project/Demo.h"
#include "support/GlWindow.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Two samplers, so that every pass fetches two texels whatever feeds its units.
const char* const passShader = R"(#version 150
uniform sampler2D tex, tex1; uniform vec2 resolution; uniform float beat;
out vec4 c;
void main() {
  vec2 uv = gl_FragCoord.xy / resolution;
  vec3 mixed = mix(texture(tex, uv).rgb, texture(tex1, uv + vec2(0.002, 0.0)).rgb, 0.5);
  c = vec4(mixed * 0.9 + vec3(uv, fract(beat)) * 0.1, 1.0);
})";

// A window-sized 24-bit BMP of a gradient, so a floor pass samples as much memory
// as a pass that reads another pass's output.
std::vector<uint8_t> gradientBmp(int width, int height) {
    const uint32_t rowBytes = static_cast<uint32_t>(width) * 3; // widths here are multiples of 4
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t fileBytes = 54 + pixelBytes;
    std::vector<uint8_t> file(fileBytes);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, fileBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &file[54 + static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3];
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = static_cast<uint8_t>(x ^ y);
        }
    return file;
}

enum class Case { chain, feedback, capture };

struct Frames {
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    ShaderProgram* program = nullptr;
    std::vector<uint8_t> bmp;
    Texture* image = nullptr; // sampled by every pass

    Frames(int width, int height) : bmp(gradientBmp(width, height)) {
        demo->shaders.push_back(std::make_unique<ShaderProgram>(passShader));
        program = demo->shaders.back().get();
        image = ownImage();
    }

    // An image of its own, standing in for another pass's output.
    Texture* ownImage() {
        demo->textures.push_back(std::make_unique<Texture>("gradient.bmp", bmp));
        return demo->textures.back().get();
    }

    Effect& addEffect(bool feedback, bool screen) {
        demo->effects.push_back(std::make_unique<Effect>("pass " + std::to_string(demo->effects.size()), program,
                                                         nullptr, nullptr, feedback, screen));
        return *demo->effects.back();
    }
    void addEvent(Effect& effect) {
        auto event = std::make_unique<Event>();
        event->name = effect.name;
        event->effect = &effect;
        event->endBeat = 1000.0f;
        demo->events.push_back(std::move(event));
    }

    // A visible effect reading the last of `inputs` chained effects; the first of
    // the chain reads the image.
    void buildChain(int inputs, bool feedback) {
        Effect* previous = nullptr;
        for (int i = 0; i <= inputs; ++i) {
            Effect& effect = addEffect(feedback && i < inputs, false);
            if (!effect.feedback)
                effect.textures.push_back(image);
            if (previous)
                effect.effects.push_back(previous);
            else
                effect.textures.push_back(image);
            previous = &effect;
        }
        addEvent(*previous);
    }
    // Four layers; the third takes the screen as its second unit.
    void buildCapture() {
        for (int i = 0; i < 4; ++i) {
            Effect& effect = addEffect(false, i == 2);
            effect.textures.push_back(image);
            if (!effect.screenTexture)
                effect.textures.push_back(image);
            addEvent(effect);
        }
    }
    // `passes` layers reading the shared image and one of their own, as the
    // case's passes read: with `feedback`, the chain's middle passes read two of
    // their own (their previous frame and their input).
    void buildFloor(int passes, bool feedback) {
        for (int i = 0; i < passes; ++i) {
            Effect& effect = addEffect(false, false);
            const bool middle = i > 0 && i < passes - 1;
            effect.textures = {feedback && middle ? ownImage() : image, ownImage()};
            addEvent(effect);
        }
    }
};

int passesOf(Case kind, int inputs) { return kind == Case::capture ? 4 : inputs + 1; }

void BM_Passes(benchmark::State& state, Case kind, int inputs, bool floor, int width, int height) {
    GlWindow window(width, height);
    if (!window.ok()) {
        state.SkipWithError("no window");
        return;
    }
    Frames frames(width, height);
    if (floor)
        frames.buildFloor(passesOf(kind, inputs), kind == Case::feedback);
    else if (kind == Case::capture)
        frames.buildCapture();
    else
        frames.buildChain(inputs, kind == Case::feedback);

    RenderCache cache;
    AudioCache audio;
    FrameContext frame;
    frame.screen = {width, height};
    cache.build(*frames.demo, frame.screen);
    countGlCalls();
    renderAt(*frames.demo, cache, audio, frame); // creates the output textures
    glFinish();

    uint64_t framesDrawn = 0;
    const uint64_t allocationsBefore = heapAllocations;
    const uint64_t objectsBefore = glObjectsCreated;
    const uint64_t readsBefore = glPixelReads;
    for (auto _ : state) {
        frame.beat += 0.01f;
        glClear(GL_COLOR_BUFFER_BIT);
        renderAt(*frames.demo, cache, audio, frame);
        glFinish();
        ++framesDrawn;
    }
    const auto perFrame = [&](uint64_t count) { return static_cast<double>(count) / static_cast<double>(framesDrawn); };
    state.counters["passes"] = passesOf(kind, inputs);
    state.counters["allocations"] = perFrame(heapAllocations - allocationsBefore);
    state.counters["gl_objects"] = perFrame(glObjectsCreated - objectsBefore);
    state.counters["read_backs"] = perFrame(glPixelReads - readsBefore);
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

void registerCase(const std::string& name, Case kind, int inputs) {
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}})
        for (const bool floor : {false, true}) {
            const std::string fullName =
                "BM_Passes/" + name + "/" + std::to_string(height) + "p" + (floor ? "/Floor" : "");
            benchmark::RegisterBenchmark(fullName.c_str(), BM_Passes, kind, inputs, floor, width, height)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
}

const bool registered = [] {
    for (const int inputs : {1, 4, 8})
        registerCase("Chain/" + std::to_string(inputs), Case::chain, inputs);
    registerCase("Feedback", Case::feedback, 4);
    registerCase("Capture", Case::capture, 0);
    return true;
}();

} // namespace
