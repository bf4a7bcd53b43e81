// The editor's cost: frames of the real shell on the bundled example with the
// editor hidden (composing alone), with the standard windows open, and during
// "Export Videoframes"; recording one step of the edit history, undoing and
// redoing the heaviest steps, and the history's memory after 1000 field edits;
// the longest frame while autosaves are written, of the example and of the
// example with 23 MB of shaders added; frames while a burst of 10 000 OSC
// messages a second records a take. The
// window is the desktop's width at 16:9: run on a 1920 x 1080 screen.
#include "app/Shell.h"
#include "editor/edits/ProjectEdits.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <lo/lo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <random>
#include <thread>
#include <unistd.h>

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
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
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

// One undo and one redo of a step that moves the most: deleting the largest
// image (0), typing into the longest shader (1), deleting an effect with its
// references (2).
void BM_UndoRedoStep(benchmark::State& state) {
    AppState& app = program();
    Demo& demo = *app.project.demo;
    EditHistory& history = app.editor.history;
    history.clear();
    if (state.range(0) == 0) {
        Texture& largest =
            **std::ranges::max_element(demo.textures, {}, [](const auto& t) { return t->imageBuffer->size(); });
        removeObject(history, demo, largest);
    } else if (state.range(0) == 1) {
        ShaderProgram& longest = **std::ranges::max_element(
            demo.shaders, {}, [](const auto& shader) { return shader->fragmentShaderSource.size(); });
        std::optional<SourceChange> run;
        setShaderSource(history, longest, longest.fragmentShaderSource + "// typed\n", "Edit", {}, run);
    } else {
        removeObject(history, demo, *demo.effects.front());
    }
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
    history.undo();
    history.clear();
    runFrame(app); // releases what the caches built from objects that came and went
}

// Frames with the editor shown while an edit before each frame keeps the
// autosave writing (argument 1), or with the autosave off (0): the longest
// frame is the figure.
void framesWhileAutosaving(benchmark::State& state, AppState& app) {
    app.shell.editorVisible = true;
    app.autosave.interval = state.range(0) ? std::chrono::seconds(0) : std::chrono::hours(1);
    Event& event = *app.project.demo->events.front();
    double longestMs = 0.0;
    int frame = 0;
    int autosaves = 0;
    for (auto _ : state) {
        if (!app.autosave.writing() && ++frame % 2 == 0)
            setField(app.editor.history, event, &Event::visible, !event.visible, "Visible");
        const bool wasWriting = app.autosave.writing();
        const auto start = std::chrono::steady_clock::now();
        runFrame(app);
        longestMs = std::max(
            longestMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        autosaves += !wasWriting && app.autosave.writing();
    }
    app.autosave.waitForWrite();
    while (app.editor.history.canUndo())
        app.editor.history.undo();
    app.editor.history.clear();
    app.editor.noteSaved();
    app.shell.editorVisible = false;
    state.counters["longest frame ms"] = longestMs;
    state.counters["autosaves"] = autosaves;
}

void BM_FramesWhileAutosavingExample(benchmark::State& state) { framesWhileAutosaving(state, program()); }

// The shaders the encodings benchmark saves: three of 7.8 MB, which no effect uses.
void BM_FramesWhileAutosaving23MB(benchmark::State& state) {
    AppState& app = program();
    std::vector<std::unique_ptr<ShaderProgram>>& shaders = app.project.demo->shaders;
    const size_t kept = shaders.size();
    std::mt19937 random(7);
    for (int i = 0; i < 3; ++i) {
        std::string source = "#version 150\n";
        while (source.size() < 7800000)
            source +=
                "    float v" + std::to_string(random() % 100) + " = " + std::to_string(random() % 1000) + ".0;\n";
        shaders.push_back(std::make_unique<ShaderProgram>(std::move(source)));
        shaders.back()->fragmentShaderFilename = "resources/large" + std::to_string(i) + ".frag";
    }
    framesWhileAutosaving(state, app);
    shaders.resize(kept);
}

// Frames with the editor shown, "sky" glow bound to an OSC fader, Record on
// and the demo playing, without messages (argument 0) or while a sender puts
// 10 000 in one second on the loopback (1). The figures: the longest time the
// frame spent taking messages, the longest frame, and what arrived or was lost.
void BM_FramesDuringControllerBurst(benchmark::State& state) {
    using namespace std::chrono_literals;
    AppState& app = program();
    app.shell.editorVisible = true;
    ControllerDesk& desk = app.editor.controllers;
    const int port = 45000 + static_cast<int>(getpid() % 10000);
    desk.listenForOsc(port, false);
    lo_address address = lo_address_new("127.0.0.1", std::to_string(port).c_str());
    desk.toggleLearning({"sky", "glow"});
    lo_send(address, "/fader", "f", 0.5);
    std::this_thread::sleep_for(10ms);
    runFrame(app);
    desk.recording = true;
    if (app.clock.paused)
        app.clock.togglePause(*app.project.demo);
    const uint64_t receivedBefore = desk.received();
    std::thread sender;
    if (state.range(0))
        sender = std::thread([address] {
            for (int value = 0; value < 10000; ++value) {
                lo_send(address, "/fader", "f", static_cast<double>(value % 1000) / 1000.0);
                if (value % 100 == 99)
                    std::this_thread::sleep_for(10ms);
            }
        });
    double longestPollMs = 0.0;
    double longestFrameMs = 0.0;
    const auto milliseconds = [](auto duration) { return std::chrono::duration<double, std::milli>(duration).count(); };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        desk.poll(*app.project.demo, app.editor.history, app.clock, app.status, ControllerDesk::Clock::now());
        const auto polled = std::chrono::steady_clock::now();
        runFrame(app);
        longestPollMs = std::max(longestPollMs, milliseconds(polled - start));
        longestFrameMs = std::max(longestFrameMs, milliseconds(std::chrono::steady_clock::now() - start));
    }
    if (sender.joinable())
        sender.join();
    std::this_thread::sleep_for(50ms);
    desk.recording = false;
    runFrame(app);
    state.counters["longest poll ms"] = longestPollMs;
    state.counters["longest frame ms"] = longestFrameMs;
    state.counters["received"] = static_cast<double>(desk.received() - receivedBefore);
    state.counters["lost"] = static_cast<double>(desk.dropped());
    while (app.editor.history.canUndo())
        app.editor.history.undo();
    app.editor.history.clear();
    app.editor.noteSaved();
    desk.removeBinding(0);
    lo_address_free(address);
    app.shell.editorVisible = false;
}

BENCHMARK(BM_FrameEditorHidden)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameEditorShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_FrameExporting)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);
BENCHMARK(BM_RecordEditStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThousandFieldEdits)->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(BM_UndoRedoStep)->Unit(benchmark::kMicrosecond)->DenseRange(0, 2);
BENCHMARK(BM_FramesWhileAutosavingExample)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(300)
    ->Arg(0)
    ->Arg(1);
BENCHMARK(BM_FramesWhileAutosaving23MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(300)->Arg(0)->Arg(1);

} // namespace

BENCHMARK(BM_FramesDuringControllerBurst)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40)->Arg(0)->Arg(1);
BENCHMARK_MAIN();
