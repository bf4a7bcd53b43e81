// Numbers to and from text give the bytes and values the standard library's
// charconv gives, which they replace.
#include "project/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace {

std::string standardFixed6(double number) {
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string fixed6(double number) {
    std::string text;
    appendFixed6(text, number);
    return text;
}

double parsed(const std::string& text) {
    double value = -1.0;
    const auto result = parseDouble(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(result.ec, std::errc()) << text;
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    return value;
}

TEST(NumberTextTest, FixedFormIsTheStandardOnesForEveryKindOfDouble) {
    // Exact halves at the seventh decimal round to even, as "%.6f" does.
    const double special[] = {0.0,
                              -0.0,
                              0.0078125,
                              0.0234375,
                              -0.0000005,
                              2.5e-7,
                              130.0,
                              0.5,
                              1e15,
                              1e300,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<float>::max()};
    for (const double number : special)
        EXPECT_EQ(fixed6(number), standardFixed6(number)) << number;
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        double number = std::bit_cast<double>(random());
        if (!std::isfinite(number))
            continue;
        if (i % 2)
            number = std::ldexp(static_cast<double>(random() % 100000000), -static_cast<int>(random() % 40));
        ASSERT_EQ(fixed6(number), standardFixed6(number)) << number;
    }
}

TEST(NumberTextTest, ParsingGivesTheStandardValueAndSaturatesOutOfRange) {
    std::mt19937_64 random(4);
    for (int i = 0; i < 20000; ++i) {
        const double number = std::bit_cast<double>(random());
        if (!std::isfinite(number))
            continue;
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, number, std::chars_format::general, 17).ptr;
        ASSERT_EQ(parsed(std::string(text, end)), number) << std::string(text, end);
    }
    EXPECT_EQ(parsed("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parsed("-0.001e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parsed("1e-999"), 0.0);
    EXPECT_TRUE(std::signbit(parsed("-1e-999")));
    EXPECT_EQ(parsed("130.000000"), 130.0);

    double value = 0.0;
    const std::string stops = "2.5,0";
    EXPECT_EQ(parseDouble(stops.data(), stops.data() + stops.size(), value).ptr, stops.data() + 3);
    const std::string none = "x";
    EXPECT_EQ(parseDouble(none.data(), none.data() + 1, value).ec, std::errc::invalid_argument);
}

} // namespace
