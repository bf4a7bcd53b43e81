// The Shader Editor on the bundled example: live coding reaching the picture,
// errors marked while the last good program keeps drawing, constants, files
// saved and changed by other programs, and the source's undo.
#include "project/ProjectFiles.h"
#include "support/PausedEditorTest.h"
#include "support/PresentedPixel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace {

using ::testing::HasSubstr;

const char* const window = "Shader Editor";
const ItemPath codeEditor{window, "TextEditor"};

class ShaderEditorTest : public PausedEditorTest {
protected:
    ShaderEditorState& state() { return session.app.editor.shaderEditor; }
    ShaderProgram& program() { return *state().shown; }
    // A pixel of the Viewport's picture where only the sky shows, below the title.
    std::array<uint8_t, 4> picture() {
        const Placement viewport = gui.windowPlace("Viewport");
        return presentedPixel(session.app, viewport.x + viewport.width * 0.1f, viewport.y + viewport.height * 0.85f);
    }
    void typeAtLine(int line, const std::string& text) {
        gui.mouseClick(codeEditor);
        state().code.setCursor({line, 0});
        gui.typeText(text);
    }
};

TEST_F(ShaderEditorTest, LiveCodingReachesThePictureAndErrorsKeepTheLastGoodOne) {
    ASSERT_EQ(program().fragmentShaderFilename, "resources/sky.frag");
    const std::string original = program().fragmentShaderSource;
    gui.click(window, "Auto-recompile");
    const int closingBrace = state().code.model().lineCount() - 2;
    typeAtLine(closingBrace, "c = vec4(1.0, 0.0, 0.0, 1.0);");
    gui.frames(2);
    EXPECT_EQ(picture(), (std::array<uint8_t, 4>{255, 0, 0, 255})) << "the new source draws";

    typeAtLine(closingBrace, "oops ");
    gui.frames(2);
    EXPECT_THAT(gui.shownText(ItemPath{window, "Errors"}), HasSubstr("error"));
    EXPECT_TRUE(state().code.markers().contains(closingBrace)) << "the broken line is marked";
    EXPECT_EQ(picture(), (std::array<uint8_t, 4>{255, 0, 0, 255})) << "the last good program draws on";

    // The project's undo, with the keyboard back with the program: each run whole.
    gui.focusWindow("Viewport");
    gui.ctrlKey(SDLK_z);
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(program().fragmentShaderSource == original) << "undo restores the source byte for byte";
}

TEST_F(ShaderEditorTest, FilesAreSavedAndChangesFromOtherProgramsLoaded) {
    gui.click(window, "Auto-recompile");
    typeAtLine(0, "// mine\n");
    gui.click(window, "Save");
    EXPECT_EQ(session.app.status.text, "Saved resources/quad.vert and resources/sky.frag");
    std::ifstream saved("resources/sky.frag");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), program().fragmentShaderSource);

    // Another program writes the file (a second later: file times are that coarse on some systems).
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const std::string theirs = "#version 150\nout vec4 c;\nvoid main() { c = vec4(0.0, 0.0, 1.0, 1.0); }\n";
    std::ofstream("resources/sky.frag") << theirs;
    for (int i = 0; i < 30 && program().fragmentShaderSource != theirs; ++i)
        gui.frames(1);
    EXPECT_EQ(program().fragmentShaderSource, theirs);
    EXPECT_EQ(state().code.text(), theirs);
    gui.frames(2);
    EXPECT_EQ(picture(), (std::array<uint8_t, 4>{0, 0, 255, 255}));
}

TEST_F(ShaderEditorTest, AConstantsSliderRewritesTheLiteralAndThePicture) {
    gui.click(window, "Auto-recompile");
    state().code.setText("#version 150\nout vec4 c;\nvoid main() { c = vec4(0.25, 0.0, 0.0, 1.0); } // @red=[0:1]\n",
                         true);
    gui.frames(1);
    typeAtLine(3, " ");
    gui.click(window, "Constants");
    ASSERT_EQ(state().constants.size(), 5u) << "150, then the four of the annotated line";
    gui.setValue(ItemPath{window, "##numbers_panel", 1, ""}, 1.0);
    EXPECT_THAT(program().fragmentShaderSource, HasSubstr("c = vec4(1.000, 0.0, 0.0, 1.0);"));
    EXPECT_EQ(state().code.text(), program().fragmentShaderSource);
    gui.frames(2);
    EXPECT_EQ(picture(), (std::array<uint8_t, 4>{255, 0, 0, 255}));
}

TEST_F(ShaderEditorTest, NewHeaderAndDeleteActOnTheShownProgram) {
    const size_t count = session.demo().shaders.size();
    ShaderProgram* second = session.demo().shaders[1].get();
    gui.click(window, "Delete");
    EXPECT_EQ(state().shown, second) << "the next program shows";
    EXPECT_EQ(session.demo().shaders.size(), count - 1);
    EXPECT_EQ(session.demo().effects[0]->program, nullptr) << "the effect that drew with it draws nothing";
    gui.click(window, "New");
    EXPECT_EQ(program().fragmentShaderFilename, "resources/untitled.frag");
    gui.click(window, "Add ShaderToy header");
    EXPECT_EQ(program().fragmentShaderSource.size(), 356u);
    EXPECT_EQ(state().code.text(), program().fragmentShaderSource);
}

TEST_F(ShaderEditorTest, CtrlFFindsTheSelectionAndF3TheNextMatch) {
    gui.mouseClick(codeEditor);
    state().code.model().setSelection({3, 0}, {3, 7}); // "uniform float beat;"
    gui.ctrlKey(SDLK_f);
    EXPECT_STREQ(state().searchPattern, "uniform");
    EXPECT_THAT(gui.shownText(ItemPath{window}), HasSubstr("5 matches"));
    gui.key(SDLK_F3);
    EXPECT_EQ(state().code.model().selectionStart(), (TextPosition{4, 0}));
    EXPECT_EQ(state().code.model().selectedText(), "uniform");
}

TEST_F(ShaderEditorTest, TheColourRowTheMenusAndTheUniformsDialog) {
    state().code.setText("c = vec3(1.0, 0.5, 0.25); // @tint=[0:1]\n", true);
    gui.frames(1);
    typeAtLine(0, " ");
    gui.click(window, "Constants");
    ASSERT_EQ(state().constants.size(), 3u);
    gui.setValue(ItemPath{window, "##numbers_panel", 2, "##colour", "##X"}, 0.2);
    EXPECT_EQ(program().fragmentShaderSource, " c = vec3(0.200,0.500,0.250); // @tint=[0:1]\n")
        << "the colour writes its three values";

    // An edit from the menu reaches the program at once.
    gui.chooseMenuItem(ItemPath{window}, "Edit", "Select all");
    gui.chooseMenuItem(ItemPath{window}, "Edit", "Delete");
    EXPECT_EQ(program().fragmentShaderSource, "");

    gui.click(window, "Uniforms");
    const std::string before = writeJsonProject(session.demo(), false);
    const size_t uniforms = program().uniformDefs.size();
    const int row = static_cast<int>(uniforms);
    gui.click(ItemPath{"Uniforms", "Add##uniform"});
    ASSERT_EQ(program().uniformDefs.size(), uniforms + 1);
    EXPECT_EQ(program().uniformDefs.back()->name, "untitled");
    EXPECT_TRUE(gui.isDisabled(ItemPath{"Uniforms", row, "##uniform_found"}))
        << "whether the shader has the uniform is shown, not set";
    gui.typeInto(ItemPath{"Uniforms", row, "##uniform_name"}, "speed");
    gui.setValue(ItemPath{"Uniforms", row, "max"}, 5.0);
    gui.click(ItemPath{"Uniforms", 0, "Delete"});
    EXPECT_EQ(program().uniformDefs.size(), uniforms);
    EXPECT_EQ(program().uniformDefs.back()->maxVal, 5.0f);
    const std::string after = writeJsonProject(session.demo(), false);
    for (int step = 0; step < 4; ++step)
        gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(writeJsonProject(session.demo(), false) == before) << "add, rename, max and delete undone";
    for (int step = 0; step < 4; ++step)
        gui.ctrlKey(SDLK_y);
    EXPECT_TRUE(writeJsonProject(session.demo(), false) == after) << "and redone";
    gui.click(ItemPath{"Uniforms", "Close"});
}

} // namespace
