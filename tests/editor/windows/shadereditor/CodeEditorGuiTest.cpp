// The code editor in the Shader Editor of the real program: keys and mouse as a
// programmer gives them, the program's own Ctrl shortcuts held back while it
// has the keyboard, and its edits reaching the shown program.
#include "support/PausedEditorTest.h"

#include <gtest/gtest.h>
#include <imgui.h>

#include <string>

namespace {

const ItemPath codeEditor{"Shader Editor", "TextEditor"};

class CodeEditorTest : public PausedEditorTest {
protected:
    void SetUp() override {
        PausedEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        gui.mouseClick(codeEditor);
        ASSERT_TRUE(session.app.editor.codeEditorHasKeyboard);
    }

    const TextModel& model() { return session.app.editor.shaderEditor.code.model(); }
    const std::string& source() { return session.app.editor.shaderEditor.shown->fragmentShaderSource; }

    // The middle of the character at (line, column) of the editor, in window pixels.
    std::pair<float, float> pointOf(int line, int column) {
        const Placement region = gui.itemPlace(codeEditor);
        const float lineHeight = ImGui::GetTextLineHeightWithSpacing();
        const float charWidth = ImGui::GetFont()->CalcTextSizeA(ImGui::GetFontSize(), FLT_MAX, -1.0f, "#").x;
        const int digits = static_cast<int>(std::to_string(model().lineCount()).size());
        const float gutter = static_cast<float>(digits + 1) * charWidth + 10.0f;
        return {region.x + gutter + (static_cast<float>(column) + 0.3f) * charWidth,
                region.y + (static_cast<float>(line) + 0.5f) * lineHeight};
    }
    void clickAt(int line, int column, Uint16 modifiers = KMOD_NONE) {
        const auto [x, y] = pointOf(line, column);
        gui.moveMouse(x, y);
        gui.holdModifiers(modifiers);
        gui.mouseDown();
        gui.mouseUp();
        gui.releaseModifiers();
    }
};

TEST_F(CodeEditorTest, KeysEditTheShownProgramAndTheProgramsShortcutsWait) {
    const std::string original = source();
    gui.ctrlKey(SDLK_HOME);
    gui.typeText("// hi");
    gui.key(SDLK_RETURN);
    EXPECT_EQ(source(), "// hi\n" + original) << "each edit reaches the program";

    gui.ctrlKey(SDLK_SPACE);
    EXPECT_TRUE(session.app.clock.paused) << "Ctrl+Space is the editor's, not the transport's";
    gui.ctrlShiftKey(SDLK_e);
    EXPECT_FALSE(gui.windowShown("Event Manager")) << "window keys wait too";
    gui.ctrlKey(SDLK_s);
    EXPECT_EQ(session.app.status.text, "Saved content.dat.json") << "Ctrl+S still saves";

    gui.ctrlKey(SDLK_z);
    EXPECT_EQ(source(), "// hi" + original) << "the editor's own undo: first the line break";
    gui.ctrlKey(SDLK_z);
    EXPECT_EQ(source(), original) << "then the typing";
    gui.ctrlKey(SDLK_y);
    gui.ctrlShiftKey(SDLK_z);
    EXPECT_EQ(source(), "// hi\n" + original) << "Ctrl+Y and Ctrl+Shift+Z redo";

    // The clipboard round trip: the whole text pasted again at its end.
    gui.ctrlKey(SDLK_a);
    gui.ctrlKey(SDLK_c);
    gui.ctrlKey(SDLK_END);
    gui.ctrlKey(SDLK_v);
    EXPECT_EQ(source(), "// hi\n" + original + "// hi\n" + original);
    gui.ctrlKey(SDLK_z);

    // Arrows, Shift, Delete, Backspace, Tab and Shift+Tab.
    gui.ctrlKey(SDLK_HOME);
    gui.key(SDLK_RIGHT, KMOD_LSHIFT);
    gui.key(SDLK_RIGHT, KMOD_LSHIFT);
    EXPECT_EQ(model().selectedText(), "//");
    gui.key(SDLK_DELETE);
    gui.key(SDLK_END);
    gui.key(SDLK_BACKSPACE);
    EXPECT_EQ(model().lineText(0), " h");
    gui.key(SDLK_DOWN, KMOD_LSHIFT);
    gui.key(SDLK_TAB);
    EXPECT_EQ(model().lineText(0), "\t h");
    EXPECT_EQ(model().lineText(1), "\t" + original.substr(0, original.find('\n')));
    gui.key(SDLK_TAB, KMOD_LSHIFT);
    EXPECT_EQ(model().lineText(0), " h");
}

TEST_F(CodeEditorTest, TheMouseSelectsWordsExtendsAndScrolls) {
    session.app.editor.shaderEditor.code.setText("float glow = 1.0;\nvec2 uv;\n", true);
    gui.frames(2);
    clickAt(0, 1);
    EXPECT_EQ(model().cursor(), (TextPosition{0, 1}));
    clickAt(1, 4, KMOD_LSHIFT);
    EXPECT_EQ(model().selectedText(), "loat glow = 1.0;\nvec2") << "Shift+click extends";

    const auto [wordX, wordY] = pointOf(0, 7);
    gui.moveMouse(wordX, wordY);
    float& doubleClickTime = ImGui::GetIO().MouseDoubleClickTime;
    doubleClickTime = 2.0f;
    gui.mouseDown();
    gui.mouseUp();
    gui.mouseDown();
    gui.mouseUp();
    EXPECT_EQ(model().selectedText(), "glow") << "a double-click selects a word";

    const auto [fromX, fromY] = pointOf(1, 0);
    const auto [toX, toY] = pointOf(1, 4);
    gui.drag(fromX, fromY, toX, toY, 3);
    EXPECT_EQ(model().selectedText(), "vec2") << "a drag selects";

    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "float a;\n";
    session.app.editor.shaderEditor.code.setText(lines, true);
    gui.frames(2);
    gui.wheel(codeEditor, -5);
    EXPECT_GT(gui.scrollY(codeEditor), 0.0f) << "the wheel scrolls";
}

} // namespace
