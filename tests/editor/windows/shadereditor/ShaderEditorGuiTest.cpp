// The Shader Editor on the bundled example: live coding reaching the picture,
// errors marked while the last good program keeps drawing, constants, files
// loaded, saved and changed by other programs, search, uniforms that follow
// their definitions, and the source's undo.
#include "project/ProjectFiles.h"
#include "support/PausedEditorTest.h"
#include "support/PresentedPixel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

using ::testing::HasSubstr;
using Pixel = std::array<uint8_t, 4>;

const char* const window = "Shader Editor";
const ItemPath codeEditor{window, "TextEditor"};
const ItemPath errors{window, "Errors"};
const ItemPath uniforms{"Uniforms"};

class ShaderEditorTest : public PausedEditorTest {
protected:
    ShaderEditorState& state() { return session.app.editor.shaderEditor; }
    ShaderProgram& program() { return *state().shown; }
    // A pixel of the Viewport's picture where only the sky shows, below the title.
    Pixel picture() {
        const Placement viewport = gui.windowPlace("Viewport");
        return presentedPixel(session.app, viewport.x + viewport.width * 0.1f, viewport.y + viewport.height * 0.85f);
    }
    void typeAtLine(int line, const std::string& text) {
        gui.mouseClick(codeEditor);
        state().code.setCursor({line, 0});
        gui.typeText(text);
    }
    // `source` typed in as the shown program's, without compiling it.
    void replaceSource(const std::string& source) {
        state().code.setText(source, true);
        gui.frames(1);
        typeAtLine(state().code.model().lineCount() - 1, " ");
    }
    std::string status() { return session.app.status.text; }
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

    // Another program writes the file, its time set a second on (file times are that coarse on some systems).
    const auto savedTime = std::filesystem::last_write_time("resources/sky.frag");
    const std::string theirs = "#version 150\nout vec4 c;\nvoid main() { c = vec4(0.0, 0.0, 1.0, 1.0); }\n";
    std::ofstream("resources/sky.frag") << theirs;
    std::filesystem::last_write_time("resources/sky.frag", savedTime + std::chrono::seconds(1));
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
    const size_t count = program().uniformDefs.size();
    const int row = static_cast<int>(count);
    gui.click(ItemPath{"Uniforms", "Add##uniform"});
    ASSERT_EQ(program().uniformDefs.size(), count + 1);
    EXPECT_EQ(program().uniformDefs.back()->name, "untitled");
    EXPECT_TRUE(gui.isDisabled(ItemPath{"Uniforms", row, "##uniform_found"}))
        << "whether the shader has the uniform is shown, not set";
    gui.typeInto(ItemPath{"Uniforms", row, "##uniform_name"}, "speed");
    gui.setValue(ItemPath{"Uniforms", row, "max"}, 5.0);
    gui.click(ItemPath{"Uniforms", 0, "Delete"});
    EXPECT_EQ(program().uniformDefs.size(), count);
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

TEST_F(ShaderEditorTest, UniformsFollowTheirDefinitionsWithoutACompile) {
    // Auto-recompile is off: only "Compile" links the program, and every uniform
    // definition added, renamed or deleted after it still reaches the picture.
    replaceSource("#version 150\nuniform float untitled;\nuniform float red;\nout vec4 c;\n"
                  "void main() { c = vec4(red, 0.0, untitled, 1.0); }\n");
    gui.click(window, "Compile");
    gui.frames(2);
    EXPECT_EQ(picture(), (Pixel{0, 0, 0, 255}));
    // The picture with the modal dialog closed, which dims it.
    const auto closeAndLook = [&] {
        gui.click(uniforms / "Close");
        gui.frames(2);
        return picture();
    };

    gui.click(window, "Uniforms");
    gui.click(uniforms / "Add##uniform"); // "untitled", after the sky's "glow"
    gui.setValue(uniforms / 1 / "default", 1.0);
    EXPECT_EQ(closeAndLook(), (Pixel{0, 0, 255, 255})) << "an added definition is found at once";

    gui.click(window, "Uniforms");
    gui.click(uniforms / "Add##uniform");
    gui.typeInto(uniforms / 2 / "##uniform_name", "red");
    gui.setValue(uniforms / 2 / "default", 1.0);
    EXPECT_EQ(closeAndLook(), (Pixel{255, 0, 255, 255})) << "a renamed one too";

    gui.click(window, "Uniforms");
    gui.click(uniforms / 1 / "Delete");
    gui.setValue(uniforms / 1 / "default", 0.0); // "red", moved up a row
    EXPECT_EQ(closeAndLook(), (Pixel{0, 0, 255, 255})) << "after a delete each value reaches its own uniform";
}

TEST_F(ShaderEditorTest, LoadAndTheShaderToyHeaderShowTheNewSourceFromItsTopWithItsLog) {
    const Pixel sky = picture();
    const std::string vertex =
        "#version 150\n// read from its file\nin vec3 vp;\nvoid main() { gl_Position = vec4(vp, 1.0); }\n";
    std::string fragment;
    for (int i = 0; i < 100; ++i)
        fragment += "// written for ShaderToy\n";
    fragment += "void mainImage(out vec4 o, in vec2 p) { fragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";
    std::ofstream("resources/quad.vert") << vertex;
    std::ofstream("resources/sky.frag") << fragment;
    gui.click(window, "Load");
    EXPECT_EQ(status(), "Loaded resources/quad.vert and resources/sky.frag");
    EXPECT_EQ(program().vertexShaderSource, vertex);
    EXPECT_EQ(program().fragmentShaderSource, fragment);
    EXPECT_THAT(gui.shownText(errors), HasSubstr("error")) << "compiled for its log with Auto-recompile off";

    // Scrolled down to a match, the view and the matches go with the old text.
    const auto searchAndScrollDown = [&] {
        gui.typeInto(ItemPath{window, "##search"}, "ShaderToy");
        gui.wheel(codeEditor, -10);
        EXPECT_GT(gui.scrollY(codeEditor), 0.0f);
    };
    searchAndScrollDown();
    gui.click(window, "Add ShaderToy header");
    EXPECT_EQ(gui.scrollY(codeEditor), 0.0f);
    EXPECT_THAT(gui.shownText(window), HasSubstr("No matches"));
    EXPECT_THAT(gui.shownText(errors), HasSubstr("Compilation successful."));
    EXPECT_EQ(picture(), sky) << "not linked before \"Compile\"";
    gui.click(window, "Compile");
    gui.frames(2);
    EXPECT_EQ(picture(), (Pixel{0, 255, 0, 255}));

    searchAndScrollDown();
    gui.click(window, "Load");
    EXPECT_EQ(program().fragmentShaderSource, fragment);
    EXPECT_EQ(gui.scrollY(codeEditor), 0.0f);
    EXPECT_THAT(gui.shownText(window), HasSubstr("No matches"));
    EXPECT_THAT(gui.shownText(errors), HasSubstr("error"));
}

TEST_F(ShaderEditorTest, TheSearchRowVisitsEveryMatchInTurn) {
    state().code.setText("c = vec3(1.0, 1.0, 1.0);\naaaa\n", true);
    gui.frames(1);
    const ItemPath search{window, "##search"};
    const auto selected = [&] { return state().code.model().selectionStart(); };
    gui.typeInto(search, "1.0", AfterTyping::keepEditing);
    EXPECT_THAT(gui.shownText(window), HasSubstr("3 matches"));
    EXPECT_EQ(selected(), (TextPosition{0, 9})) << "typing selects the first";
    gui.key(SDLK_RETURN);
    EXPECT_EQ(selected(), (TextPosition{0, 14})) << "Enter: the next one, not the one after";
    gui.click(window, "Next");
    EXPECT_EQ(selected(), (TextPosition{0, 19}));
    gui.click(window, "Next");
    EXPECT_EQ(selected(), (TextPosition{0, 9})) << "after the last, the first";
    gui.click(window, "Next");
    gui.click(window, "First");
    EXPECT_EQ(selected(), (TextPosition{0, 9}));

    gui.typeInto(search, "aa", AfterTyping::keepEditing);
    EXPECT_EQ(selected(), (TextPosition{1, 0}));
    gui.key(SDLK_RETURN);
    EXPECT_EQ(selected(), (TextPosition{1, 2})) << "a match starting where the last ends";
}

TEST_F(ShaderEditorTest, OurOwnSavesAreNotTakenForAnotherProgramsChange) {
    ShaderEditorState& watcher = state();
    const std::string source = program().fragmentShaderSource;
    const size_t steps = session.app.editor.history.stepCount();
    // The watcher looks at the file in the frames right after the save.
    const auto saveAndWatch = [&] {
        gui.ctrlKey(SDLK_s);
        watcher.lastFileCheck = session.app.clock.ticks() - 1000;
        gui.frames(3);
        EXPECT_EQ(status(), "Saved content.dat.json");
    };
    saveAndWatch();
    EXPECT_EQ(program().fragmentShaderSource, source);
    EXPECT_EQ(session.app.editor.history.stepCount(), steps) << "the file just written is not loaded back";
    typeAtLine(0, "// mine");
    gui.key(SDLK_RETURN);
    saveAndWatch();
    EXPECT_EQ(program().fragmentShaderSource, "// mine\n" + source);
}

TEST_F(ShaderEditorTest, TheNameDialogAndTheViewMenu) {
    gui.click(window, "Name");
    const ItemPath dialog{"Edit fragment shader filename"};
    gui.typeInto(dialog / "Filename", "resources/night.frag", AfterTyping::keepEditing);
    gui.click(dialog / "OK");
    EXPECT_EQ(program().fragmentShaderFilename, "resources/night.frag");
    EXPECT_EQ(session.demo().effects[0]->program, &program()) << "the sky still draws with it";

    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += "float a;\n";
    state().code.setText(lines, true);
    gui.frames(1);
    const Placement place = gui.itemPlace(codeEditor);
    for (const auto& [item, palette] :
         {std::pair{"Light palette", &lightPalette()}, std::pair{"Retro blue palette", &retroBluePalette()},
          std::pair{"Dark palette", &darkPalette()}}) {
        gui.chooseMenuItem(ItemPath{window}, "View", item);
        // Right of the short lines: the background.
        const Pixel shown = presentedPixel(session.app, place.x + place.width * 0.7f, place.y + place.height * 0.5f);
        const uint32_t background = (*palette)[static_cast<size_t>(PaletteSlot::background)];
        EXPECT_EQ(shown, (Pixel{static_cast<uint8_t>(background), static_cast<uint8_t>(background >> 8),
                                static_cast<uint8_t>(background >> 16), 255}))
            << item;
    }
    const auto linesShown = [&] {
        const std::string text = gui.shownText(codeEditor);
        return std::count(text.begin(), text.end(), '\n');
    };
    const auto small = linesShown();
    gui.chooseMenuItem(ItemPath{window}, "View", "Big code font");
    EXPECT_LT(linesShown(), small * 2 / 3) << "twice the size, half the lines";
}

} // namespace
