#include "project/JsonParser.h"
#include "support/CommaLocale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

// Parses `text`, returning what was written to standard error through `errors`.
JsonValue parseCapturing(std::string_view text, std::string& errors) {
    ::testing::internal::CaptureStderr();
    JsonValue value = parseJson(text);
    errors = ::testing::internal::GetCapturedStderr();
    return value;
}

JsonValue parseQuietly(std::string_view text) {
    std::string errors;
    JsonValue value = parseCapturing(text, errors);
    EXPECT_EQ(errors, "") << "parsing " << text;
    return value;
}

TEST(JsonParserTest, ReadsEveryKind) {
    EXPECT_EQ(parseQuietly("null").kind(), JsonKind::Null);
    EXPECT_TRUE(parseQuietly("true").asBool());
    EXPECT_EQ(parseQuietly("false").kind(), JsonKind::Boolean);
    EXPECT_FALSE(parseQuietly("false").asBool());
    EXPECT_EQ(parseQuietly("\"abc\"").asString(), "abc");
    EXPECT_EQ(parseQuietly("[1, 2.5, \"x\"]").serialize(1, "  "), "[1, 2.500000, \"x\"]");
    const JsonValue object = parseQuietly("{\"bpm\" : 130.000000, \"events\" : []}");
    EXPECT_EQ(object.get("bpm").asFloat(), 130.0);
    EXPECT_EQ(object.get("events").kind(), JsonKind::Array);
}

TEST(JsonParserTest, ReadsNumbersByTheirForm) {
    const struct {
        const char* text;
        JsonKind kind;
        double value;
    } cases[] = {
        {"480", JsonKind::Integral, 480},
        {"-7", JsonKind::Integral, -7},
        {"007", JsonKind::Integral, 7},
        {"480.000000", JsonKind::Floating, 480},
        {"-0.5", JsonKind::Floating, -0.5},
        {"1.", JsonKind::Floating, 1},
        {"48e1", JsonKind::Floating, 480},
        {"1e5", JsonKind::Floating, 100000},
        {"1E-5", JsonKind::Floating, 0.00001},
        {"2.5e2", JsonKind::Floating, 250},
        {"0e999999999999", JsonKind::Floating, 0},
        {"1e999999999999", JsonKind::Floating, std::numeric_limits<double>::infinity()},
        {"1.5e-999999", JsonKind::Floating, 0},
        {"2147483647", JsonKind::Integral, 2147483647},
        {"-2147483648", JsonKind::Integral, -2147483648.0},
        {"2147483648", JsonKind::Integral, 2147483647},
        {"99999999999999999999", JsonKind::Integral, 2147483647},
        {"-2147483649", JsonKind::Integral, -2147483648.0},
        {"99999999999e1", JsonKind::Floating, 21474836470.0},
        {" \t\n\v\f\r 12 ", JsonKind::Integral, 12},
    };
    for (const auto& [text, kind, value] : cases) {
        const JsonValue parsed = parseQuietly(text);
        EXPECT_EQ(parsed.kind(), kind) << text;
        if (kind == JsonKind::Integral)
            EXPECT_EQ(parsed.asInt(), value) << text;
        else
            EXPECT_DOUBLE_EQ(parsed.asFloat(), value) << text;
    }
}

TEST(JsonParserTest, HugeDecimalsSaturateToInfinityAndTinyOnesToZero) {
    const std::string huge = "-1" + std::string(400, '0') + ".5";
    EXPECT_EQ(parseQuietly(huge).asFloat(), -std::numeric_limits<double>::infinity());
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(parseQuietly(tiny).asFloat(), 0.0);
}

TEST(JsonParserTest, ReadsStringEscapes) {
    EXPECT_EQ(parseQuietly(R"("q\" b\\ s\/ \b\f\n\r\t")").asString(), "q\" b\\ s/ \b\f\n\r\t");
    // \u escapes stay as written; other escaped bytes leave only the backslash.
    EXPECT_EQ(parseQuietly(R"("\u0041\uBEEF")").asString(), "\\u0041\\uBEEF");
    EXPECT_EQ(parseQuietly(R"("a\qb")").asString(), "a\\b");
    const std::string raw("\"\xC3\xA9\x01\n\0\"", 7);
    EXPECT_EQ(parseQuietly(raw).asString(), std::string("\xC3\xA9\x01\n\0", 5));
}

TEST(JsonParserTest, ReadsEmptyContainersWithOrWithoutSpace) {
    for (const char* text : {"[]", "[ \n\t]", "{}", "{\n\n}", "{ }"}) {
        const JsonValue value = parseQuietly(text);
        EXPECT_EQ(value.count(), 0) << text;
        EXPECT_EQ(value.kind(), text[0] == '[' ? JsonKind::Array : JsonKind::Object) << text;
    }
}

TEST(JsonParserTest, LastDuplicateKeyWinsAndNonStringKeysBecomeEmpty) {
    const JsonValue object = parseQuietly(R"({"a": 1, "a": 2, 5 : "five", [1]: "list"})");
    EXPECT_EQ(object.count(), 2);
    EXPECT_EQ(object.get("a").asInt(), 2);
    EXPECT_EQ(object.get("").asString(), "list");
}

TEST(JsonParserTest, IgnoresWhatFollowsTheFirstValue) {
    EXPECT_EQ(parseQuietly("[1] garbage {").count(), 1);
    EXPECT_EQ(parseQuietly("{}}").count(), 0);
}

// Each message exactly as written to standard error, and the value returned.
TEST(JsonParserTest, ReportsSyntaxErrorsOnStandardErrorAndReturnsWhatItHas) {
    const struct {
        const char* text;
        const char* errors;
        const char* value; // serialized at depth 1 with two spaces
    } cases[] = {
        {"@", "ERROR: Parse: Unknown starting character '@'\n", "null"},
        {"{\"a\" 1}", "Error: Object: Expected colon, found '1'\n", "{\n\n}"},
        {"{\"a\":1 \"b\":2}", "ERROR: Object: Expected comma, found '\"'\n", "{\n  \"a\" : 1\n}"},
        {"[1 2]", "ERROR: Array: Expected ',' or ']', found '2'\n", "[]"},
        {"\"\\u12G4\"", "ERROR: String: Expected hex character in unicode escape, found 'G'\n", "\"\""},
        {"1e+5", "ERROR: Number: Expected a number for exponent, found '+'\n", "null"},
        {"[1e]", "ERROR: Number: Expected a number for exponent, found ']'\n", "[null]"},
        {"12a", "ERROR: Number: unexpected character 'a'\n", "null"},
        {"tru", "ERROR: Bool: Expected 'true' or 'false', found 'tru'\n", "null"},
        {"fakse]", "ERROR: Bool: Expected 'true' or 'false', found 'fakse'\n", "null"},
        {"nil]", "ERROR: Null: Expected 'null', found 'nil]'\n", "null"},
        {"[1, @]", "ERROR: Parse: Unknown starting character '@'\nERROR: Array: Expected ',' or ']', found '@'\n",
         "[]"},
        {"{\"a\":[1 2], \"b\":3}",
         "ERROR: Array: Expected ',' or ']', found '2'\nERROR: Object: Expected comma, found '2'\n",
         "{\n  \"a\" : []\n}"},
        {"[1,]", "ERROR: Parse: Unknown starting character ']'\n", "[1, null]"},
    };
    for (const auto& [text, errors, value] : cases) {
        std::string written;
        const JsonValue parsed = parseCapturing(text, written);
        EXPECT_EQ(written, errors) << text;
        EXPECT_EQ(parsed.serialize(1, "  "), value) << text;
    }
}

TEST(JsonParserTest, RefusesNumberTextsThatAreNotNumbers) {
    const struct {
        const char* text;
        const char* collected;
    } cases[] = {{"-", "-"},         {"-.", "-."},     {"--1", "--1"}, {"1-2", "1-2"},
                 {"1.2.3", "1.2.3"}, {"1.-5", "1.-5"}, {"-e5", "-"}};
    for (const auto& [text, collected] : cases) {
        std::string errors;
        EXPECT_EQ(parseCapturing(text, errors).kind(), JsonKind::Null) << text;
        EXPECT_EQ(errors, std::string("ERROR: Number: Expected a number, found '") + collected + "'\n");
    }
}

TEST(JsonParserTest, TextEndingInsideAValueReportsAnEmptyFind) {
    const struct {
        const char* text;
        const char* errors;
        const char* value;
    } cases[] = {
        {"", "ERROR: Parse: Unknown starting character ''\n", "null"},
        {"  ", "ERROR: Parse: Unknown starting character ''\n", "null"},
        {"\"abc", "ERROR: String: Expected closing quote, found ''\n", "\"\""},
        {"\"abc\\", "ERROR: String: Expected closing quote, found ''\n", "\"\""},
        {"\"ab\\\"", "ERROR: String: Expected closing quote, found ''\n", "\"\""},
        {"\"\\u12", "ERROR: String: Expected closing quote, found ''\n", "\"\""},
        {"\"\\u12\"", "ERROR: String: Expected hex character in unicode escape, found '\"'\n", "\"\""},
        {"1e", "ERROR: Number: Expected a number for exponent, found ''\n", "null"},
        {"1e-", "ERROR: Number: Expected a number for exponent, found ''\n", "null"},
        {"[1,", "ERROR: Parse: Unknown starting character ''\nERROR: Array: Expected ',' or ']', found ''\n", "[]"},
        {"{", "ERROR: Parse: Unknown starting character ''\nError: Object: Expected colon, found ''\n", "{\n\n}"},
        {"{\"a\":", "ERROR: Parse: Unknown starting character ''\nERROR: Object: Expected comma, found ''\n",
         "{\n  \"a\" : null\n}"},
        {"fals", "ERROR: Bool: Expected 'true' or 'false', found 'fals'\n", "null"},
        {"n", "ERROR: Null: Expected 'null', found 'n'\n", "null"},
    };
    for (const auto& [text, errors, value] : cases) {
        std::string written;
        const JsonValue parsed = parseCapturing(text, written);
        EXPECT_EQ(written, errors) << text;
        EXPECT_EQ(parsed.serialize(1, "  "), value) << text;
    }
    // A number may end the text.
    EXPECT_EQ(parseQuietly("-12").asInt(), -12);
    EXPECT_EQ(parseQuietly("2.5").asFloat(), 2.5);
    EXPECT_EQ(parseQuietly("1e3").asFloat(), 1000.0);
}

TEST(JsonParserTest, NestingUpToTheLimitIsRead) {
    const std::string text = std::string(maxJsonDepth, '[') + std::string(maxJsonDepth, ']');
    JsonValue value = parseQuietly(text);
    int depth = 0;
    for (const JsonValue* level = &value; level->kind() == JsonKind::Array; level = &level->at(0))
        ++depth;
    EXPECT_EQ(depth, maxJsonDepth);
}

TEST(JsonParserTest, DeeperNestingIsRefusedAndReported) {
    for (const char opener : {'[', '{'}) {
        const std::string text(100000, opener);
        std::string errors;
        const JsonValue value = parseCapturing(text, errors);
        EXPECT_EQ(errors.substr(0, errors.find('\n') + 1),
                  "ERROR: Parse: Nesting deeper than 256 levels, found '" + std::string(1, opener) + "'\n");
        EXPECT_EQ(value.kind(), opener == '[' ? JsonKind::Array : JsonKind::Object);
    }
}

// Builds a random tree whose floats have at most six decimals, so that
// the text form keeps them exactly.
JsonValue randomValue(std::mt19937& random, int depth) {
    const int kind = static_cast<int>(random() % (depth < 4 ? 7 : 5));
    std::uniform_int_distribution<int> byte(0, 255);
    const auto randomBytes = [&] {
        std::string bytes(random() % 12, '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        return bytes;
    };
    switch (kind) {
    case 0:
        return {};
    case 1:
        return random() % 2 == 0;
    case 2:
        return static_cast<int32_t>(random());
    case 3: {
        // A double that "%f" writes and reads back exactly.
        std::uniform_int_distribution<int64_t> micros(-1000000000000, 1000000000000);
        const double value = static_cast<double>(micros(random)) / 1e6;
        char text[64];
        const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        double exact = 0.0;
        std::from_chars(text, written.ptr, exact);
        return exact;
    }
    case 4:
        return randomBytes();
    case 5: {
        JsonValue array = JsonValue::makeArray();
        for (unsigned i = random() % 5; i > 0; --i)
            array.append(randomValue(random, depth + 1));
        return array;
    }
    default: {
        JsonValue object = JsonValue::makeObject({});
        for (unsigned i = random() % 5; i > 0; --i)
            object.member(randomBytes()) = randomValue(random, depth + 1);
        return object;
    }
    }
}

TEST(JsonParserTest, SerializedValuesParseBackUnchanged) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 500; ++round) {
        const JsonValue value = randomValue(random, 0);
        const std::string text = value.serialize(1, "  ");
        const JsonValue parsed = parseQuietly(text);
        EXPECT_TRUE(parsed == value) << text;
        EXPECT_EQ(parsed.serialize(1, "  "), text);
    }
}

TEST(JsonParserTest, FloatsKeepSixDecimalsThroughTheText) {
    const struct {
        double value;
        double readBack;
    } cases[] = {{0.1, 0.1},       {130.0, 130.0},    {1.0 / 3.0, 0.333333},
                 {0.0000004, 0.0}, {-0.0000004, 0.0}, {2.0000005, 2.000001}};
    for (const auto& [value, readBack] : cases)
        EXPECT_DOUBLE_EQ(parseQuietly(JsonValue(value).serialize(1, "  ")).asFloat(), readBack) << value;
}

TEST(JsonParserTest, NumbersIgnoreTheProcessLocale) {
    CommaLocale locale;
    if (!locale.installed())
        GTEST_SKIP() << "no locale with a decimal comma can be built here";
    char formatted[16];
    std::snprintf(formatted, sizeof formatted, "%.1f", 0.5);
    ASSERT_STREQ(formatted, "0,5");
    EXPECT_EQ(JsonValue(130.5).serialize(1, "  "), "130.500000");
    EXPECT_EQ(parseQuietly("130.5").asFloat(), 130.5);
}

} // namespace
