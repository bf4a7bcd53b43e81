// The editor's cost: frames of the real shell on the bundled example with the
// editor hidden (composing alone), with the standard windows open, and during
// "Export Videoframes"; and recording one step of the edit history. The
// window is the desktop's width at 16:9: run on a 1920 x 1080 screen.
#include "app/Shell.h"
#include "editor/ProjectEdits.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

// The program, started once on a copy of the example in a temporary folder
// (the export writes there).
AppState& program() {
    static AppState* app = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillfront-editor-bench";
        std::filesystem::remove_all(folder);
        std::filesystem::copy(QUILLFRONT_EXAMPLE, folder, std::filesystem::copy_options::recursive);
        std::filesystem::current_path(folder);
        auto* started = new AppState;
        int status = 0;
        if (!startUp(*started, "/proc/self/exe", status))
            std::fprintf(stderr, "start-up failed with status %d\n", status);
        return started;
    }();
    return *app;
}

void frames(benchmark::State& state, AppState& app) {
    for (auto _ : state)
        runFrame(app);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FrameEditorHidden(benchmark::State& state) {
    AppState& app = program();
    app.shell.editorVisible = false;
    frames(state, app);
}

void BM_FrameEditorShown(benchmark::State& state) {
    AppState& app = program();
    app.shell.editorVisible = true;
    app.editor.arrange();
    frames(state, app);
    app.shell.editorVisible = false;
}

void BM_FrameExporting(benchmark::State& state) {
    AppState& app = program();
    app.shell.editorVisible = true;
    app.editor.requests.exportFrames = true;
    runFrame(app); // starts the export
    frames(state, app);
    app.shell.editorVisible = false;
}

void BM_RecordEditStep(benchmark::State& state) {
    AppState& app = program();
    Event& event = *app.project.demo->events.front();
    float start = 0.0f;
    for (auto _ : state) {
        moveEvent(app.editor.history, event, start, start + 4.0f);
        start = start < 50.0f ? start + 1.0f : 0.0f;
    }
    app.editor.history.clear();
}

BENCHMARK(BM_FrameEditorHidden)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameEditorShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameExporting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_RecordEditStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
