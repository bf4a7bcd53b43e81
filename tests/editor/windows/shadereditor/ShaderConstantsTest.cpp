// The "Constants" scanner on the sources an author writes.
#include "editor/windows/shadereditor/ShaderConstants.h"
#include "support/StdoutCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> tokens(std::string_view source) {
    StdoutCapture quiet;
    std::vector<std::string> texts;
    for (const NumberLiteral& literal : scanConstants(source))
        texts.push_back(literal.tokenText);
    quiet.text();
    return texts;
}

TEST(ShaderConstantsTest, NumbersAreTheTokensAuthorsMean) {
    EXPECT_EQ(tokens("x-1;"), std::vector<std::string>{"1"}) << "a '-' after a letter is no sign";
    EXPECT_EQ(tokens("x - 1;"), std::vector<std::string>{"1"}) << "a lone '-' is dropped";
    EXPECT_EQ(tokens("(-1.5)"), std::vector<std::string>{"-1.5"});
    EXPECT_EQ(tokens("a1.5;"), std::vector<std::string>{".5"}) << "the digit after a letter is part of a name";
    EXPECT_EQ(tokens("vec3 tex1 = 2.0"), std::vector<std::string>{}) << "a number ending the source is not listed";
    EXPECT_EQ(tokens("1.0; // 2.0\n/* 3.0 */ 4.0;"), (std::vector<std::string>{"1.0", "4.0"}));
}

TEST(ShaderConstantsTest, AnnotationsNameAndRangeTheNumbersOfTheirLine) {
    StdoutCapture printed;
    std::vector<NumberLiteral> literals = scanConstants("c = vec3(1.0, 0.5, 0.25); // @tint=[0:2]\n");
    EXPECT_EQ(printed.text(), "3 tint 0 2\n");
    ASSERT_EQ(literals.size(), 3u);
    for (const NumberLiteral& literal : literals) {
        EXPECT_TRUE(literal.annotated);
        EXPECT_EQ(literal.name, "tint");
        EXPECT_EQ(literal.maxVal, 2.0f);
    }
    EXPECT_EQ(literals[2].startOffset, 19);
    EXPECT_EQ(literals[2].endOffset, 23);

    StdoutCapture quiet;
    literals = scanConstants("a = 1.0\n; // @speed\n");
    ASSERT_EQ(literals.size(), 1u);
    EXPECT_EQ(literals[0].line, 1) << "a number right before a line break counts on the next line";
    EXPECT_TRUE(literals[0].annotated) << "an '@' without \"=[\" still marks its line";
    EXPECT_EQ(literals[0].name, "speed");
    EXPECT_EQ(literals[0].maxVal, 1.0f);

    literals = scanConstants("/* @gain=[0:9] */ x = 3.0;\n");
    ASSERT_EQ(literals.size(), 1u);
    EXPECT_FALSE(literals[0].annotated) << "an annotation before the number on its line";
    quiet.text();
    EXPECT_EQ(constantText(0.5f), "0.500");
}

} // namespace
