// Composing the bundled example offline at 1280 × 720, frame after frame as
// `quillfront-tool render` does, without encoding: the yardstick the render's
// own frames a second (printed at its end) are measured against.
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "composition/OfflineComposer.h"
#include "support/GlWindow.h"
#include "tool/ProjectFile.h"

#include <GL/glew.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int width = 1280;
constexpr int height = 720;
constexpr int fps = 60;
constexpr int64_t firstFrame = 1200; // beat 40: bars, trails and the logo
constexpr int64_t frameCount = 1200; // to beat 80

void composeExample(benchmark::State& state, bool readBack) {
    GlWindow window(width, height);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!window.ok() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || !openAudioDevice() || TTF_Init() != 0) {
        state.SkipWithError("no window or mixer");
        return;
    }
    std::filesystem::current_path(QUILLFRONT_EXAMPLE);
    std::unique_ptr<Demo> demo = loadProjectFile("content.dat.json").demo;
    RenderCache renderCache;
    AudioCache audioCache;
    renderCache.build(*demo, {width, height});
    audioCache.build(*demo);
    std::string problem;
    OfflineMix mix(decodeMusic(demo->music->data, problem), audioCache);
    OfflineComposer composer(*demo, renderCache, mix, FrameGrid{Tempo::of(*demo), fps}, ScreenSize{width, height},
                             mixRate);
    std::vector<uint8_t> rgb;
    int64_t frame = firstFrame;
    for (auto _ : state) {
        composer.compose(frame);
        if (readBack)
            composer.readPixels(rgb);
        else
            glFinish();
        frame = firstFrame + (frame + 1 - firstFrame) % frameCount;
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    Mix_CloseAudio();
}

void BM_ComposeExample1280x720(benchmark::State& state) { composeExample(state, false); }
void BM_ComposeAndReadBackExample1280x720(benchmark::State& state) { composeExample(state, true); }

BENCHMARK(BM_ComposeExample1280x720)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);
BENCHMARK(BM_ComposeAndReadBackExample1280x720)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);

} // namespace
