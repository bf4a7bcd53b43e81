// Texts rendered with a real TrueType font into real textures.
#include "project/FontTexture.h"
#include "project/Event.h"
#include "render/RenderCache.h"
#include "support/GlWindow.h"
#include "support/TempDir.h"
#include "support/TestFont.h"

#include <GL/glew.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class FontTextureTest : public ::testing::Test {
protected:
    GlWindow window{32, 18};
    TempDir dir;
    std::string fontPath;
    std::unique_ptr<Font> font;
    RenderCache cache;

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        ASSERT_EQ(TTF_Init(), 0);
        dir.enter();
        fontPath = copyTestFontHere();
        font = std::make_unique<Font>(fontPath, 24);
        ASSERT_TRUE(cache.font(*font).face.isOpen());
    }

    void show(const FontTexture& text, std::string_view shown) {
        cache.text(text).setText(shown, text.font ? &cache.font(*text.font).face : nullptr, text.center);
    }
    // The texture's alpha channel, row by row from the top.
    std::vector<uint8_t> alphaOf(const FontTexture& text) {
        std::vector<uint8_t> texels(static_cast<size_t>(text.width * text.height * 4));
        glBindTexture(GL_TEXTURE_2D, cache.text(text).glTexture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        std::vector<uint8_t> alpha;
        for (size_t i = 3; i < texels.size(); i += 4)
            alpha.push_back(texels[i]);
        return alpha;
    }
    // Leftmost and rightmost columns with ink, or {-1, -1}.
    std::pair<int, int> inkColumns(const FontTexture& text) {
        const std::vector<uint8_t> alpha = alphaOf(text);
        int left = -1, right = -1;
        for (int x = 0; x < text.width; ++x)
            for (int y = 0; y < text.height; ++y)
                if (alpha[static_cast<size_t>(y * text.width + x)] > 0) {
                    if (left == -1)
                        left = x;
                    right = x;
                }
        return {left, right};
    }
};

TEST_F(FontTextureTest, ImportNamesTheFontAndBuildsItsAtlas) {
    EXPECT_EQ(font->name, "resources/DejaVuSans.ttf (24 pt)");
    EXPECT_EQ(font->filename, fontPath);
    EXPECT_NE(cache.font(*font).glyphAtlasTexture, 0u);
}

TEST_F(FontTextureTest, TextIsDrawnFromTheLeftOrCentred) {
    FontTexture text("title", 256, 64, font.get());
    show(text, "Hi");
    const auto [left, right] = inkColumns(text);
    ASSERT_NE(left, -1);
    EXPECT_LT(left, 5);

    FontTexture centred("centred", 256, 64, font.get());
    centred.center = true;
    show(centred, "Hi");
    const auto [centreLeft, centreRight] = inkColumns(centred);
    EXPECT_NEAR(centreLeft - left, (256 - (right + 1)) / 2, 3) << "moved by half the free width";
    EXPECT_EQ(centreRight - centreLeft, right - left);
}

TEST_F(FontTextureTest, TextIsTypedOutOneLetterAtATime) {
    Event event;
    event.startBeat = 0.0f;
    event.endBeat = 8.0f;
    event.variable("title").points = {{0.0f, 0.0f, "Hello"}, {4.0f, 0.0f, "Bye"}};
    FontTexture typed("title", 128, 32, font.get());
    typed.charsPerBeat = 1;

    struct Case {
        float beat;
        const char* expected;
    };
    for (const Case& c : {Case{0.0f, "H"}, Case{1.0f, "He"}, Case{2.5f, "Hell"}, Case{3.2f, "Hello"},
                          Case{3.9f, "Hello"}, Case{4.0f, "Bye"}}) {
        show(typed, event.textAtBeat("title", c.beat, typed.charsPerBeat));
        FontTexture reference("reference", 128, 32, font.get());
        show(reference, c.expected);
        EXPECT_EQ(alphaOf(typed), alphaOf(reference)) << "beat " << c.beat << " shows " << c.expected;
    }
}

TEST_F(FontTextureTest, EmptyTextClearsTheTexture) {
    FontTexture text("title", 128, 32, font.get());
    show(text, "Hello");
    EXPECT_NE(inkColumns(text).first, -1);
    show(text, "");
    EXPECT_EQ(inkColumns(text).first, -1);
    EXPECT_EQ(cache.text(text).currentText, "");
}

TEST_F(FontTextureTest, UnchangedTextIsNotRenderedAgain) {
    FontTexture text("title", 64, 16, font.get());
    show(text, "A");
    const std::vector<uint8_t> zeros(64 * 16 * 4);
    glBindTexture(GL_TEXTURE_2D, cache.text(text).glTexture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 16, GL_RGBA, GL_UNSIGNED_BYTE, zeros.data());
    show(text, "A");
    EXPECT_EQ(inkColumns(text).first, -1) << "no upload for the same text";
    show(text, "B");
    EXPECT_NE(inkColumns(text).first, -1);
}

TEST_F(FontTextureTest, LongTextWrapsAtTheWidth) {
    FontTexture text("para", 100, 200, font.get());
    show(text, "one two three four five six");
    const std::vector<uint8_t> alpha = alphaOf(text);
    bool inkBelowFirstLine = false;
    for (int y = 60; y < 200 && !inkBelowFirstLine; ++y)
        for (int x = 0; x < 100; ++x)
            inkBelowFirstLine = inkBelowFirstLine || alpha[static_cast<size_t>(y * 100 + x)] > 0;
    EXPECT_TRUE(inkBelowFirstLine);
}

TEST_F(FontTextureTest, UnusableFontsRenderNothing) {
    Font broken;
    broken.name = "broken";
    broken.fontBuffer->data = {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'};
    broken.ptsize = 24;
    EXPECT_FALSE(cache.font(broken).face.isOpen());
    EXPECT_EQ(cache.font(broken).glyphAtlasTexture, 0u);
    EXPECT_EQ(cache.takeProblems(), std::vector<std::string>{"broken: Not a TrueType or OpenType font"});

    Font zeroSize;
    zeroSize.fontBuffer->data = font->fontBuffer->data;
    EXPECT_FALSE(cache.font(zeroSize).face.isOpen());

    FontTexture text("title", 64, 16, &broken);
    show(text, "Hello");
    EXPECT_EQ(cache.text(text).currentText, "Hello");
    EXPECT_EQ(inkColumns(text).first, -1);

    FontTexture noFont("orphan", 64, 16, nullptr);
    show(noFont, "Hello");
    FontTexture absurd("huge", 100000, 100000, font.get());
    show(absurd, "Hello");
    EXPECT_EQ(cache.text(absurd).glTexture, 0u);
}

TEST_F(FontTextureTest, FontsWhoseTablesLieOutsideTheFileAreNotOpened) {
    // The first table record's length, grown past the end of the file.
    Font damaged(fontPath, 24);
    std::vector<uint8_t>& bytes = damaged.fontBuffer->data;
    for (int i = 0; i < 4; ++i)
        bytes[12 + 12 + static_cast<size_t>(i)] = 0x7F;
    EXPECT_FALSE(cache.font(damaged).face.isOpen());
    const std::vector<std::string> problems = cache.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("truncated or damaged"), std::string::npos) << problems[0];
}

TEST_F(FontTextureTest, AFontEditShowsInTheTextsDrawnWithIt) {
    FontTexture text("title", 256, 64, font.get());
    show(text, "Hi");
    const int smallWidth = inkColumns(text).second - inkColumns(text).first;
    font->ptsize = 48;
    font->edits.touch();
    show(text, "Hi");
    EXPECT_GT(inkColumns(text).second - inkColumns(text).first, smallWidth * 3 / 2);
}

TEST(FontImportTest, AMissingFileIsALoadError) {
    EXPECT_THROW(Font("resources/no-such-font.ttf", 12), std::runtime_error);
}

} // namespace
