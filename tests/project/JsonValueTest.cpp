#include "project/JsonValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(JsonValueTest, EachConstructorGivesItsKind) {
    const struct {
        JsonValue value;
        JsonKind kind;
    } cases[] = {
        {JsonValue(), JsonKind::Null},
        {JsonValue("text"), JsonKind::String},
        {JsonValue(std::string("text")), JsonKind::String},
        {JsonValue(1.5), JsonKind::Floating},
        {JsonValue(1.5f), JsonKind::Floating},
        {JsonValue(int32_t{7}), JsonKind::Integral},
        {JsonValue(true), JsonKind::Boolean},
        {JsonValue::makeArray(), JsonKind::Array},
        {JsonValue::makeObject({}), JsonKind::Object},
    };
    for (const auto& [value, kind] : cases)
        EXPECT_EQ(value.kind(), kind);
    EXPECT_EQ(static_cast<int>(JsonKind::Boolean), 6);
}

TEST(JsonValueTest, TypedAccessorsReadZeroForEveryOtherKind) {
    const JsonValue integral(int32_t{130});
    EXPECT_EQ(integral.asInt(), 130);
    EXPECT_EQ(integral.asFloat(), 0.0); // a "bpm" written as 130 reads as 0.0
    EXPECT_EQ(integral.asString(), "");
    EXPECT_FALSE(integral.asBool());

    const JsonValue floating(130.5);
    EXPECT_EQ(floating.asFloat(), 130.5);
    EXPECT_EQ(floating.asInt(), 0);

    EXPECT_FLOAT_EQ(static_cast<float>(JsonValue(0.1f).asFloat()), 0.1f);
    EXPECT_EQ(JsonValue("yes").asString(), "yes");
    EXPECT_FALSE(JsonValue("true").asBool());
    EXPECT_TRUE(JsonValue(true).asBool());
    EXPECT_EQ(JsonValue(true).asInt(), 0);
}

TEST(JsonValueTest, ObjectListsKeysInByteOrderWhateverTheInsertionOrder) {
    JsonValue object;
    for (const char* key : {"textures", "fonts", "font_textures", "events", "event_groups", "bpm", "beat_offset",
                            "audio_samples", "\xC3\xA9t\xC3\xA9", "Zed", ""})
        object.member(key) = 1;
    std::vector<std::string> keys;
    for (const auto& entry : object.entries())
        keys.push_back(entry.first);
    const std::vector<std::string> expected = {"",      "Zed",          "audio_samples",    "beat_offset",
                                               "bpm",   "event_groups", "events",           "font_textures",
                                               "fonts", "textures",     "\xC3\xA9t\xC3\xA9"};
    EXPECT_EQ(keys, expected);
}

TEST(JsonValueTest, MakeObjectKeepsTheLastOfDuplicateKeys) {
    const JsonValue object = JsonValue::makeObject({{"name", "first"}, {"bpm", 130.0f}, {"name", "second"}});
    EXPECT_EQ(object.count(), 2);
    EXPECT_EQ(object.get("name").asString(), "second");
    EXPECT_EQ(object.get("bpm").asFloat(), 130.0);
}

TEST(JsonValueTest, MemberInsertsAMissingKeyAsNull) {
    JsonValue object = JsonValue::makeObject({{"bpm", 130.0}});
    EXPECT_FALSE(object.contains("end_beat"));
    EXPECT_EQ(object.member("end_beat").kind(), JsonKind::Null);
    EXPECT_TRUE(object.contains("end_beat"));
    EXPECT_EQ(object.count(), 2);
}

TEST(JsonValueTest, ConstReadsNeverInsert) {
    const JsonValue object = JsonValue::makeObject({{"list", JsonValue::makeArray()}});
    EXPECT_EQ(object.get("missing").kind(), JsonKind::Null);
    EXPECT_EQ(object.get("list").at(3).kind(), JsonKind::Null);
    EXPECT_EQ(JsonValue(5).get("x").kind(), JsonKind::Null);
    EXPECT_TRUE(JsonValue(5).entries().empty());
    EXPECT_TRUE(JsonValue(5).elements().empty());
    EXPECT_EQ(object.count(), 1);
    EXPECT_FALSE(JsonValue("x").contains("x"));
}

TEST(JsonValueTest, MemberAndElementReplaceAValueOfAnotherKind) {
    JsonValue value("discarded");
    value.member("a") = 1;
    EXPECT_EQ(value.kind(), JsonKind::Object);
    EXPECT_EQ(value.count(), 1);

    value.element(2) = "third";
    EXPECT_EQ(value.kind(), JsonKind::Array);
    ASSERT_EQ(value.count(), 3);
    EXPECT_EQ(value.at(0).kind(), JsonKind::Null);
    EXPECT_EQ(value.at(1).kind(), JsonKind::Null);
    EXPECT_EQ(value.at(2).asString(), "third");
    value.element(0) = 1;
    EXPECT_EQ(value.count(), 3);

    JsonValue appended(int32_t{4});
    const JsonValue item("item");
    appended.append(item);
    appended.append(item);
    EXPECT_EQ(appended.count(), 2);
    EXPECT_EQ(item.asString(), "item");
}

TEST(JsonValueTest, CountIsMinusOneForScalars) {
    for (const JsonValue& scalar : {JsonValue(), JsonValue("abc"), JsonValue(1.0), JsonValue(1), JsonValue(false)})
        EXPECT_EQ(scalar.count(), -1);
    EXPECT_EQ(JsonValue::makeArray().count(), 0);
    EXPECT_EQ(JsonValue::makeObject({}).count(), 0);
}

TEST(JsonValueTest, SetKindInstallsAnEmptyPayloadOnlyWhenTheKindChanges) {
    JsonValue value(int32_t{42});
    value.setKind(JsonKind::Integral);
    EXPECT_EQ(value.asInt(), 42);
    value.setKind(JsonKind::String);
    EXPECT_EQ(value.asString(), "");
    value.setKind(JsonKind::Floating);
    EXPECT_EQ(value.asFloat(), 0.0);
    value.setKind(JsonKind::Boolean);
    EXPECT_FALSE(value.asBool());
    value.setKind(JsonKind::Array);
    EXPECT_EQ(value.count(), 0);
    value.setKind(JsonKind::Object);
    EXPECT_EQ(value.count(), 0);
    value.setKind(JsonKind::Null);
    EXPECT_EQ(value.kind(), JsonKind::Null);
}

TEST(JsonValueTest, CopiesAreDeepAndMovesLeaveNull) {
    JsonValue original = JsonValue::makeObject({{"list", JsonValue::makeArray()}});
    original.member("list").append("a");
    JsonValue copy = original;
    copy.member("list").append("b");
    EXPECT_EQ(original.get("list").count(), 1);
    EXPECT_EQ(copy.get("list").count(), 2);

    JsonValue moved = std::move(original);
    EXPECT_EQ(original.kind(), JsonKind::Null);
    EXPECT_EQ(moved.get("list").count(), 1);

    JsonValue assigned;
    assigned = std::move(moved);
    EXPECT_EQ(moved.kind(), JsonKind::Null);
    EXPECT_EQ(assigned.get("list").count(), 1);
}

TEST(JsonValueTest, AValueCanBeReplacedByOneOfItsOwnParts) {
    JsonValue tree = JsonValue::makeObject({{"inner", JsonValue::makeObject({{"leaf", 1}})}});
    tree = tree.member("inner");
    EXPECT_EQ(tree.get("leaf").asInt(), 1);
    tree = std::move(tree.member("leaf"));
    EXPECT_EQ(tree.asInt(), 1);
}

// The six lines of a project's tempo and first event.
TEST(JsonValueTest, SerializesObjectsOneEntryPerLineAndArraysInline) {
    JsonValue event = JsonValue::makeObject({{"end_beat", 480.0}});
    JsonValue events = JsonValue::makeArray();
    events.append(event);
    const JsonValue document = JsonValue::makeObject({{"bpm", 130.0}, {"events", events}});
    EXPECT_EQ(document.serialize(1, "  "), "{\n"
                                           "  \"bpm\" : 130.000000,\n"
                                           "  \"events\" : [{\n"
                                           "      \"end_beat\" : 480.000000\n"
                                           "    }]\n"
                                           "}");
}

TEST(JsonValueTest, SerializesEmptyContainers) {
    EXPECT_EQ(JsonValue::makeObject({}).serialize(1, "  "), "{\n\n}");
    EXPECT_EQ(
        JsonValue::makeObject({{"a", JsonValue::makeObject({})}, {"b", JsonValue::makeArray()}}).serialize(1, "  "),
        "{\n  \"a\" : {\n\n  },\n  \"b\" : []\n}");
}

TEST(JsonValueTest, ClosingBraceLosesExactlyTwoCharactersOfPadding) {
    const JsonValue object = JsonValue::makeObject({{"k", 1}});
    EXPECT_EQ(object.serialize(3, "\t"), "{\n\t\t\t\"k\" : 1\n\t}");
    EXPECT_EQ(object.serialize(1, " "), "{\n \"k\" : 1\n}");
    EXPECT_EQ(object.serialize(0, "  "), "{\n\"k\" : 1\n}");
}

TEST(JsonValueTest, SerializesScalars) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        JsonValue value;
        const char* text;
    } cases[] = {
        {JsonValue(), "null"},
        {JsonValue(true), "true"},
        {JsonValue(false), "false"},
        {JsonValue(int32_t{-42}), "-42"},
        {JsonValue(std::numeric_limits<int32_t>::min()), "-2147483648"},
        {JsonValue(130.0), "130.000000"},
        {JsonValue(0.5f), "0.500000"},
        {JsonValue(0.1), "0.100000"},
        {JsonValue(0.0000004), "0.000000"},
        {JsonValue(-0.0000004), "-0.000000"},
        {JsonValue(-2.5), "-2.500000"},
        {JsonValue(1e20), "100000000000000000000.000000"},
        {JsonValue(infinity), "null"},
        {JsonValue(-infinity), "null"},
        {JsonValue(std::nan("")), "null"},
        {JsonValue("a\"b"), "\"a\\\"b\""},
        {JsonValue("\\u0041"), "\"\\\\u0041\""},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(value.serialize(1, "  "), text);

    JsonValue array = JsonValue::makeArray();
    array.append(1);
    array.append("a");
    array.append(JsonValue::makeArray());
    EXPECT_EQ(array.serialize(1, "  "), "[1, \"a\", []]");
}

TEST(JsonValueTest, EscapeStringEscapesQuotesBackslashesAndFiveControlBytes) {
    EXPECT_EQ(escapeString("\"\\\b\f\n\r\t"), "\\\"\\\\\\b\\f\\n\\r\\t");
    const std::string unchanged("plain /\x01\x1f\x7f\x80\xff\0end", 14);
    EXPECT_EQ(escapeString(unchanged), unchanged);
    EXPECT_EQ(escapeString(""), "");
}

// Every byte, alone and at each place in texts longer than one block of the
// scan, escapes as the byte-by-byte rule says.
TEST(JsonValueTest, EscapeStringTreatsEveryByteTheSameWhereverItStands) {
    const auto escapedByte = [](char byte) -> std::string {
        switch (byte) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            return std::string(1, byte);
        }
    };
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<char>(value);
        for (size_t place = 0; place < 40; ++place) {
            std::string text(40, 'a');
            text[place] = byte;
            text[39 - place] = byte;
            std::string expected;
            for (const char c : text)
                expected += escapedByte(c);
            ASSERT_EQ(escapeString(text), expected) << "byte " << value << " at " << place;
        }
    }
}

TEST(JsonValueTest, KeysAreEscapedLikeStrings) {
    const JsonValue object = JsonValue::makeObject({{"say \"hi\\\"", 1}, {"plain_key", 2}});
    EXPECT_EQ(object.serialize(1, "  "), "{\n  \"plain_key\" : 2,\n  \"say \\\"hi\\\\\\\"\" : 1\n}");
}

} // namespace
