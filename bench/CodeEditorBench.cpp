// The code editor's costs on shaders of 20 000 and 2 700 lines: a typed
// character with its colouring, a frame of the widget with the view at the top,
// the middle and the end, a 1 MB paste and its undo, and setting a 7.8 MB text
// (with the memory it then holds per byte of text). The widget's frames run in
// a Dear ImGui context without a window: what is measured is the CPU it takes.
#include "codeeditor/CodeEditor.h"
#include "editor/edits/ProjectEdits.h"
#include "support/HeadlessGui.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <string_view>

namespace {

// Lines of a plausible fragment shader, repeated: declarations, comments of
// both kinds, numbers, calls, a preprocessor line and tab indentation.
const char* const shaderLines[] = {
    "uniform vec2 resolution; // the screen in pixels",
    "#define STEPS 64",
    "float glow(vec2 p) { return exp(-4.0 * length(p)) * 1.5e-1; }",
    "/* the fractal's fold, after the usual",
    "   kaliset recipe */",
    "vec3 palette(float t) {",
    "\tfor (int i = 0; i < STEPS; ++i) { p = abs(p) / dot(p, p) - 0.7; }",
    "\treturn mix(vec3(0.1, 0.2, 0.3), vec3(0.9, 0.5, 0.2), smoothstep(0.0, 1.0, t));",
    "}",
    "",
};

// Without `blockComments` the two lines of a block comment are left out, so a
// comment opened at the top runs to the end.
std::string shaderOf(int64_t lineCount, bool blockComments = true) {
    std::string text;
    for (int64_t i = 0; i < lineCount; ++i) {
        const std::string_view line = shaderLines[i % std::size(shaderLines)];
        const bool partOfBlockComment = line.find("/*") != line.npos || line.find("*/") != line.npos;
        text += blockComments || !partOfBlockComment ? line : "float x;";
        text += '\n';
    }
    return text;
}

// The same shader repeated to `bytes`.
std::string shaderOfSize(size_t bytes) {
    const std::string block = shaderOf(1000);
    std::string text;
    while (text.size() < bytes)
        text += block;
    return text;
}

void BM_TypeCharacter(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    TextModel model;
    model.setText(shaderOf(lines));
    int line = 0;
    for (auto _ : state) {
        // A new line each time, so no line grows long; the move ends the typing run.
        model.setCursor({line, 12});
        model.type("x");
        line = (line + 7) % lines;
    }
}

// "/*" typed at the top of a text without block comments turns every line after
// into comment, and Backspace turns them back: the most an edit colours again.
void BM_OpenBlockCommentAtTop(benchmark::State& state) {
    TextModel model;
    model.setText(shaderOf(state.range(0), false));
    model.type("/");
    for (auto _ : state) {
        model.type("*");
        state.PauseTiming();
        model.backspace();
        state.ResumeTiming();
    }
}

void BM_CloseBlockCommentAtTop(benchmark::State& state) {
    TextModel model;
    model.setText(shaderOf(state.range(0), false));
    model.type("/*");
    for (auto _ : state) {
        model.backspace();
        state.PauseTiming();
        model.type("*");
        state.ResumeTiming();
    }
}

enum class View { top, middle, end };

void BM_WidgetFrame(benchmark::State& state, View view) {
    const int lines = static_cast<int>(state.range(0));
    HeadlessGui gui;
    CodeEditor editor;
    editor.setText(shaderOf(lines), true);
    const int line = view == View::top ? 0 : view == View::middle ? lines / 2 : lines;
    editor.setCursor({line, 0});
    const auto draw = [&] { editor.draw(); };
    gui.frame({0.0f, 0.0f}, false, draw); // the view moves to the cursor
    for (auto _ : state)
        gui.frame({0.0f, 0.0f}, false, draw);
    state.counters["vertices"] = static_cast<double>(ImGui::GetDrawData()->TotalVtxCount);
}

// The frame after "/*" was typed at the top of a text without block comments,
// and the frame after its undo, with the view at the end: each finds out again
// whether every line is in a comment before it colours the lines in sight.
void BM_FramesAfterBlockCommentAtTop(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    HeadlessGui gui;
    CodeEditor editor;
    editor.setText(shaderOf(lines, false), true);
    editor.setCursor({lines, 0});
    const auto draw = [&] { editor.draw(); };
    gui.frame({0.0f, 0.0f}, false, draw);
    for (auto _ : state) {
        state.PauseTiming();
        editor.model().setCursor({0, 0});
        editor.model().type("/*");
        state.ResumeTiming();
        gui.frame({0.0f, 0.0f}, false, draw);
        state.PauseTiming();
        editor.model().undo();
        state.ResumeTiming();
        gui.frame({0.0f, 0.0f}, false, draw);
    }
}

// A megabyte pasted into the middle of the shader, and with `undone` its undo: what is timed.
void megabytePaste(benchmark::State& state, bool undone) {
    const std::string original = shaderOf(state.range(0));
    const std::string pasted = shaderOfSize(1 << 20);
    TextModel model;
    for (auto _ : state) {
        state.PauseTiming();
        model.setText(original);
        model.setCursor({static_cast<int>(state.range(0) / 2), 0});
        if (undone)
            model.paste(pasted);
        state.ResumeTiming();
        if (undone)
            model.undo();
        else
            model.paste(pasted);
    }
}

void BM_PasteMegabyte(benchmark::State& state) { megabytePaste(state, false); }
void BM_UndoMegabytePaste(benchmark::State& state) { megabytePaste(state, true); }

void BM_SetLargeText(benchmark::State& state) {
    const std::string text = shaderOfSize(7800000);
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        TextModel model;
        model.setText(text);
        held = mallinfo2().uordblks - before;
        state.PauseTiming();
        { TextModel released = std::move(model); }
        state.ResumeTiming();
    }
    state.counters["bytes held per text byte"] = static_cast<double>(held) / static_cast<double>(text.size());
}

// 1000 edits, each a step of its own, into a 7.8 MB shader through the edit
// history: the time of one (the program takes the new text and the step keeps
// the changed bytes) and the history's memory after them all.
void BM_HistoryOfEditsToLargeShader(benchmark::State& state) {
    const std::string source = shaderOfSize(7800000);
    for (auto _ : state) {
        ShaderProgram program(source);
        EditHistory history;
        std::optional<SourceChange> run;
        std::string text = source;
        for (int i = 0; i < 1000; ++i) {
            text.insert(text.size() / 2 + static_cast<size_t>(i), 1, 'x');
            history.endGesture();
            setShaderSource(history, program, text, "Edit", MergeKey{"Shader Editor", "source", &program}, run);
        }
        state.counters["history bytes"] = static_cast<double>(history.bytes());
        state.counters["steps"] = static_cast<double>(history.stepCount());
    }
    state.counters["ms per edit"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_TypeCharacter)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenBlockCommentAtTop)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CloseBlockCommentAtTop)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WidgetFrame, top, View::top)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WidgetFrame, middle, View::middle)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WidgetFrame, end, View::end)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FramesAfterBlockCommentAtTop)->Arg(20000)->Arg(2700)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasteMegabyte)->Arg(20000)->Arg(2700)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoMegabytePaste)->Arg(20000)->Arg(2700)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetLargeText)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryOfEditsToLargeShader)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
