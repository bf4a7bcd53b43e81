// The editor's cost: frames of the real shell on the bundled example with the
// editor hidden (composing alone), with the standard windows open, and during
// "Export Videoframes"; recording one step of the edit history, and the
// history's memory after 1000 field edits. The
// window is the desktop's width at 16:9: run on a 1920 x 1080 screen.
#include "app/Shell.h"
#include "editor/ProjectEdits.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
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

// The history's memory after 1000 separate field edits: as it counts it, and as
// the heap sees it.
void BM_ThousandFieldEdits(benchmark::State& state) {
    AppState& app = program();
    Event& event = *app.project.demo->events.front();
    const float end = event.endBeat;
    for (auto _ : state) {
        app.editor.history.clear();
        const size_t heapBefore = mallinfo2().uordblks;
        for (int i = 0; i < 1000; ++i)
            setField(app.editor.history, event, &Event::endBeat, end + static_cast<float>(i % 7), "end");
        state.counters["history bytes"] = static_cast<double>(app.editor.history.bytes());
        state.counters["heap bytes"] = static_cast<double>(mallinfo2().uordblks - heapBefore);
    }
    app.editor.history.clear();
    event.endBeat = end;
}

BENCHMARK(BM_FrameEditorHidden)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameEditorShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameExporting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_RecordEditStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThousandFieldEdits)->Unit(benchmark::kMicrosecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
