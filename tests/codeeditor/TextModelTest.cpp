// The code editor's text without a window: edits, cursor moves over lines and
// tabs, word moves, indentation, undo steps and colouring as a user meets them.
#include "codeeditor/TextModel.h"
#include "codeeditor/SyntaxColouring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TextModel modelWith(const std::string& text) {
    TextModel model;
    model.setText(text);
    return model;
}

TokenColour colourAt(const TextModel& model, int line, size_t index) {
    return static_cast<TokenColour>(model.lineColours(line).at(index));
}

TEST(TextModelTest, EditsAndCursorMovesCountATabAsFourColumns) {
    TextModel model = modelWith("a\tb\r\nsecond");
    EXPECT_EQ(model.lineCount(), 2);
    EXPECT_EQ(model.lines(), (std::vector<std::string>{"a\tb", "second"})) << "\\r is dropped";
    EXPECT_EQ(model.lineColumns(0), 6);
    model.setCursor({0, 5});
    model.type("X");
    EXPECT_EQ(model.lineText(0), "a\tXb");
    EXPECT_EQ(model.cursor(), (TextPosition{0, 6}));
    model.setCursor({0, 3});
    EXPECT_EQ(model.cursor(), (TextPosition{0, 1})) << "a column inside a tab is the tab's start";

    model.moveLineEnd(false);
    model.moveRight(false, false);
    EXPECT_EQ(model.cursor(), (TextPosition{1, 0})) << "right at a line's end goes to the next line";
    model.backspace();
    EXPECT_EQ(model.text(), "a\tXbsecond");
    model.newLine();
    model.moveUp(1, false);
    model.moveDown(1, true);
    EXPECT_EQ(model.selectedText(), "a\tXb\n");
    model.deleteForward();
    EXPECT_EQ(model.text(), "second");

    model.setText("one\ntwo\nthree");
    model.setSelection({0, 1}, {2, 2});
    EXPECT_EQ(model.selectedText(), "ne\ntwo\nth");
    model.type("-");
    EXPECT_EQ(model.text(), "o-ree");
    EXPECT_TRUE(model.textChanged);
}

TEST(TextModelTest, WordMovesSelectionsAndLineStarts) {
    TextModel model = modelWith("    float x = mix(a, b);");
    model.moveLineStart(false);
    EXPECT_EQ(model.cursor().column, 4) << "Home goes to the first character";
    model.moveLineStart(false);
    EXPECT_EQ(model.cursor().column, 0) << "and again to the line's start";
    model.moveRight(false, true);
    EXPECT_EQ(model.cursor().column, 4);
    model.moveRight(true, true);
    EXPECT_EQ(model.selectedText(), "float ");
    model.moveTextEnd(false);
    model.moveLeft(false, true);
    model.moveLeft(true, true);
    EXPECT_EQ(model.selectedText(), "b");
    model.selectWordAt({0, 15});
    EXPECT_EQ(model.selectedText(), "mix");
    model.selectAll();
    EXPECT_EQ(model.selectedText(), model.text());
    EXPECT_EQ(model.cut(), "    float x = mix(a, b);");
    EXPECT_EQ(model.text(), "");
}

TEST(TextModelTest, EnterKeepsIndentationAndTabIndentsSelectedLines) {
    TextModel model = modelWith("\tif (x) {");
    model.moveLineEnd(false);
    model.newLine();
    EXPECT_EQ(model.lines(), (std::vector<std::string>{"\tif (x) {", "\t"}));

    model.setText("a\n    b\nc");
    model.setSelection({0, 0}, {2, 0});
    model.indent();
    EXPECT_EQ(model.text(), "\ta\n\t    b\nc") << "a selection ending at a line's start leaves that line";
    model.outdent();
    model.outdent();
    EXPECT_EQ(model.text(), "a\nb\nc");
    model.setCursor({2, 0});
    model.indent();
    EXPECT_EQ(model.text(), "a\nb\n\tc") << "Tab without a selection types a tab";
    model.outdent();
    EXPECT_EQ(model.text(), "a\nb\nc");
}

TEST(TextModelTest, UndoStepsFollowWhatTheUserDid) {
    TextModel model = modelWith("x");
    model.moveLineEnd(false);
    for (const char* character : {"a", "b", "c"})
        model.type(character);
    model.backspace();
    model.moveLeft(false, false);
    model.type("d");
    model.paste("line\nbreak");
    EXPECT_EQ(model.text(), "xadline\nbreakb");

    model.undo();
    EXPECT_EQ(model.text(), "xadb") << "a paste is one step";
    model.undo();
    EXPECT_EQ(model.text(), "xab") << "a cursor move ended the run before";
    EXPECT_EQ(model.cursor(), (TextPosition{0, 2}));
    model.undo();
    EXPECT_EQ(model.text(), "x") << "typing and its Backspace were one step";
    EXPECT_FALSE(model.canUndo());
    model.redo();
    model.redo();
    EXPECT_EQ(model.text(), "xadb");
    EXPECT_TRUE(model.canRedo());
    model.type("!");
    EXPECT_FALSE(model.canRedo()) << "a new edit drops what could be redone";

    model.setText("abc");
    model.setSelection({0, 0}, {0, 3});
    model.indent();
    model.undo();
    EXPECT_EQ(model.text(), "abc");
    EXPECT_EQ(model.selectedText(), "abc") << "undo brings the selection back";
}

TEST(TextModelTest, ColoursEveryTokenClassAndFollowsBlockCommentsFarAbove) {
    TextModel model = modelWith("#version 150\n"
                                "float v = sin(1.5e-3) + \"s\"; // note\n"
                                "x /* in */ y");
    EXPECT_EQ(colourAt(model, 0, 3), TokenColour::preprocessor);
    EXPECT_EQ(colourAt(model, 1, 0), TokenColour::keyword);
    EXPECT_EQ(colourAt(model, 1, 6), TokenColour::identifier);
    EXPECT_EQ(colourAt(model, 1, 8), TokenColour::punctuation);
    EXPECT_EQ(colourAt(model, 1, 10), TokenColour::knownIdentifier);
    for (size_t i = 14; i < 20; ++i)
        EXPECT_EQ(colourAt(model, 1, i), TokenColour::number) << i;
    EXPECT_EQ(colourAt(model, 1, 24), TokenColour::string);
    EXPECT_EQ(colourAt(model, 1, 30), TokenColour::comment);
    EXPECT_EQ(colourAt(model, 2, 5), TokenColour::blockComment);
    EXPECT_EQ(colourAt(model, 2, 11), TokenColour::identifier);

    std::string lines;
    for (int i = 0; i < 2000; ++i)
        lines += "float a;\n";
    model.setText(lines);
    model.type("/*");
    EXPECT_EQ(colourAt(model, 1999, 0), TokenColour::blockComment) << "a comment opened far above";
    model.undo();
    EXPECT_EQ(colourAt(model, 1999, 0), TokenColour::keyword) << "and closed again";

    // The quick scan that finds where comments run agrees with the colouring.
    for (const char* line : {"a /* b", "a /* b */ c", "*/ x", "\"/*\" y", "#include \"a/*\"", "// /*", "x */ /* y"})
        for (bool inside : {false, true}) {
            std::vector<uint8_t> colours;
            EXPECT_EQ(endsInBlockComment(line, inside, LanguageDefinition::glsl()),
                      colourLine(line, inside, LanguageDefinition::glsl(), colours))
                << line << (inside ? " inside" : "");
        }

    LanguageDefinition extended = LanguageDefinition::glsl();
    extended.keywords.insert("note");
    model.setLanguage(extended);
    model.setText("note");
    EXPECT_EQ(colourAt(model, 0, 0), TokenColour::keyword);
}

} // namespace
