// Control-point CSV files: the bytes written, what is read back, and the keys
// and files that are refused.
#include "project/ControlPointCsv.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<ControlPoint> numbers(std::initializer_list<std::pair<float, float>> pairs) {
    std::vector<ControlPoint> points;
    for (const auto& [beat, value] : pairs)
        points.push_back({beat, value, ""});
    return points;
}

TEST(ControlPointCsvTest, WritesOneLinePerPointInCFormat) {
    EXPECT_EQ(writeControlPointCsv(numbers({{0.0f, 1.0f}, {4.0f, 0.5f}}), false),
              "0.000000,1.000000\n4.000000,0.500000\n");
    EXPECT_EQ(writeControlPointCsv({{2.5f, 0.0f, "Hello, world"}}, true), "2.500000,Hello, world\n");
    EXPECT_EQ(writeControlPointCsv({}, false), "");
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%f,%f\n", static_cast<double>(-1234.5678f), static_cast<double>(1e-7f));
    EXPECT_EQ(writeControlPointCsv(numbers({{-1234.5678f, 1e-7f}}), false), formatted) << "as printf's %f";
}

TEST(ControlPointCsvTest, ReadsWhatItWritesWhateverTheLineEnds) {
    const std::vector<ControlPoint> texts{{0.0f, 0.0f, "a, b, c"}, {8.0f, 0.0f, ""}};
    const CsvPoints read = readControlPointCsv(writeControlPointCsv(texts, true), true);
    ASSERT_EQ(read.refusal, "");
    ASSERT_EQ(read.points.size(), 2u);
    EXPECT_EQ(read.points[0].text, "a, b, c");
    EXPECT_EQ(read.points[1].beat, 8.0f);

    const CsvPoints crlf = readControlPointCsv("0.5,1.25\r\n2,-3\r\n", false);
    ASSERT_EQ(crlf.points.size(), 2u);
    EXPECT_EQ(crlf.points[1].beat, 2.0f);
    EXPECT_EQ(crlf.points[1].value, -3.0f);

    const CsvPoints asTexts = readControlPointCsv("1.000000,1.000000\n", true);
    ASSERT_EQ(asTexts.points.size(), 1u);
    EXPECT_EQ(asTexts.points[0].text, "1.000000") << "a number file read as texts keeps the numbers as written";
    EXPECT_EQ(asTexts.points[0].value, 0.0f);
}

TEST(ControlPointCsvTest, SkipsWhatTheWriterNeverWrites) {
    // A text with a line feed ends its line; what follows begins the next beat field.
    const CsvPoints split = readControlPointCsv("0,two\nlines\n4,x\nlast without end", true);
    ASSERT_EQ(split.points.size(), 2u);
    EXPECT_EQ(split.points[0].text, "two");
    EXPECT_EQ(split.points[1].beat, 4.0f) << "a line without a comma is skipped";

    const CsvPoints header = readControlPointCsv("beat,value\n2,0.5\n", false);
    ASSERT_EQ(header.points.size(), 1u) << "a header is no point";
    EXPECT_EQ(header.points[0].beat, 2.0f);
    const CsvPoints emptyBeat = readControlPointCsv("beat,value\n,5\n", false);
    ASSERT_EQ(emptyBeat.points.size(), 1u) << "an empty beat is beat 0, as atof reads it";
    EXPECT_EQ(emptyBeat.points[0].beat, 0.0f);
    EXPECT_EQ(emptyBeat.points[0].value, 5.0f);
    const CsvPoints loose = readControlPointCsv(" +3.5abc,x\n", false);
    ASSERT_EQ(loose.points.size(), 1u);
    EXPECT_EQ(loose.points[0].beat, 3.5f) << "as atof reads";
    EXPECT_EQ(loose.points[0].value, 0.0f);

    EXPECT_EQ(readControlPointCsv("no commas here\n", false).refusal, "no points");
    EXPECT_EQ(readControlPointCsv("1,2", false).refusal, "no points");
}

TEST(ControlPointCsvTest, FieldsOverTheirLimitsRefuseTheFile) {
    const std::string number(maxCsvNumberBytes, '1');
    EXPECT_EQ(readControlPointCsv(number + "," + number + "\n", false).refusal, "");
    EXPECT_NE(readControlPointCsv(number + "1,0\n", false).refusal, "");
    EXPECT_NE(readControlPointCsv("0," + number + "1\n", false).refusal, "");
    const std::string text(maxCsvTextBytes, 'x');
    EXPECT_EQ(readControlPointCsv("0," + text + "\n", true).refusal, "");
    EXPECT_NE(readControlPointCsv("0," + text + "x\n", true).refusal, "");
    EXPECT_NE(readControlPointCsv("1e39,0\n", false).refusal, "") << "beyond a float";
}

TEST(ControlPointCsvTest, OnlyPlainKeysNameAFileInsideResources) {
    EXPECT_EQ(csvFileOf("intro.speed").path, "resources/intro.speed.csv");
    for (const char* key : {"a/b", "a\\b", "../speed", ".hidden", "tab\there", "", "bell\x07"})
        EXPECT_NE(csvFileOf(key).refusal, "") << key;
    const std::string longest(maxCsvPathBytes - std::string("resources/.csv").size(), 'k');
    EXPECT_EQ(csvFileOf(longest).refusal, "");
    EXPECT_NE(csvFileOf(longest + "k").refusal, "");
}

TEST(ControlPointCsvTest, NumbersIgnoreTheProcessLocale) {
    CommaLocale locale;
    if (!locale.installed())
        GTEST_SKIP() << "no locale with a decimal comma can be built here";
    EXPECT_EQ(writeControlPointCsv(numbers({{0.5f, 2.25f}}), false), "0.500000,2.250000\n");
    EXPECT_EQ(readControlPointCsv("0.5,2.25\n", false).points.at(0).value, 2.25f);
}

} // namespace
