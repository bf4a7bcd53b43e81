// Search in the Shader Editor's text: the cap on matches, tabs, and wrapping.
#include "editor/windows/shadereditor/SourceSearch.h"

#include <gtest/gtest.h>

namespace {

TEST(SourceSearchTest, FindsUpToTheLineOfTheHundredAndFirstMatchAndWraps) {
    TextModel text;
    std::string source;
    for (int i = 0; i < 60; ++i)
        source += "x x\n";
    text.setText(source);
    const std::vector<SearchMatch> matches = findAll(text, "x");
    EXPECT_EQ(matches.size(), 102u) << "the line of the 101st match is searched whole, then no more";
    EXPECT_EQ(matches[1], (SearchMatch{0, 2}));
    EXPECT_TRUE(findAll(text, "").empty());

    text.setText("\tab\nab ab");
    const std::vector<SearchMatch> found = findAll(text, "ab");
    EXPECT_EQ(*matchAtOrAfter(text, found, {0, 4}), (SearchMatch{0, 1})) << "a tab is four columns";
    EXPECT_EQ(*matchAtOrAfter(text, found, {0, 5}), (SearchMatch{1, 0}));
    EXPECT_EQ(*matchAtOrAfter(text, found, {1, 1}), (SearchMatch{1, 3}));
    EXPECT_EQ(*matchAtOrAfter(text, found, {1, 4}), (SearchMatch{0, 1})) << "past the last, the first";
    selectMatch(text, found[0], 2);
    EXPECT_EQ(text.selectedText(), "ab");
    EXPECT_EQ(text.cursor(), (TextPosition{0, 6}));
    EXPECT_FALSE(matchAtOrAfter(text, {}, {0, 0}));
}

} // namespace
