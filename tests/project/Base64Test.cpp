#include "project/Base64.h"
#include "project/CodecError.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(Base64Test, EncodesWithTheStandardAlphabetAndPadding) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {{"", ""},
                 {"f", "Zg=="},
                 {"fo", "Zm8="},
                 {"foo", "Zm9v"},
                 {"foob", "Zm9vYg=="},
                 {"fooba", "Zm9vYmE="},
                 {"foobar", "Zm9vYmFy"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(base64Encode(bytesOf(bytes)), text);
        EXPECT_EQ(base64Decode(text), bytesOf(bytes));
    }
    EXPECT_EQ(base64Encode(Bytes{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64Test, DecodesUnpaddedUrlSafeAndDotPaddedText) {
    const struct {
        const char* text;
        Bytes bytes;
    } cases[] = {
        {"Zg", bytesOf("f")},         {"Zm8", bytesOf("fo")},       {"Zm9vYg", bytesOf("foob")},
        {"Zg..", bytesOf("f")},       {"Zg=", bytesOf("f")},        {"Zm8.", bytesOf("fo")},
        {"Zg=.", bytesOf("f")},       {"-_-_", {0xFB, 0xFF, 0xBF}}, {"+/-_", {0xFB, 0xFF, 0xBF}},
        {"Zg==Zm8=", bytesOf("ffo")}, // padding ends a group, not the text
        {"Zh==", bytesOf("f")},       // unused low bits are ignored
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(base64Decode(text), bytes) << text;
}

TEST(Base64Test, RefusesWhatIsNotBase64) {
    for (const char* text :
         {"Z", "Zm9vY", "Z===", "=Zg=", "Zg=A", "Zm9\nv", "Zm 9v", "Zm9*", "Zm9v\n", "Zm9v===", "\xC3\xA9\xC3\xA9"}) {
        try {
            base64Decode(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const CodecError& error) {
            EXPECT_EQ(error.kind(), CodecErrorKind::InvalidBase64);
            EXPECT_STREQ(error.what(), "Input is not valid base64-encoded data.");
        }
    }
}

// Any byte at any place of a text of two groups and a short one decodes, or is
// refused, as group by group.
TEST(Base64Test, EveryByteAtEveryPlaceDecodesAsItsGroupAlone) {
    const std::string valid = "Zm9vYmFyZg";
    for (size_t place = 0; place < valid.size(); ++place) {
        for (int value = 0; value < 256; ++value) {
            std::string text = valid;
            text[place] = static_cast<char>(value);
            const size_t groupStart = place / 4 * 4;
            const std::string group = text.substr(groupStart, 4);
            Bytes expected;
            bool refused = false;
            try {
                expected = base64Decode(valid.substr(0, groupStart));
                const Bytes middle = base64Decode(group);
                expected.insert(expected.end(), middle.begin(), middle.end());
                if (groupStart + 4 < valid.size()) {
                    const Bytes rest = base64Decode(valid.substr(groupStart + 4));
                    expected.insert(expected.end(), rest.begin(), rest.end());
                }
            } catch (const CodecError&) {
                refused = true;
            }
            if (refused) {
                EXPECT_THROW(base64Decode(text), CodecError) << "byte " << value << " at " << place;
            } else {
                EXPECT_EQ(base64Decode(text), expected) << "byte " << value << " at " << place;
            }
        }
    }
}

TEST(Base64Test, RandomBytesSurviveARoundTrip) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        Bytes bytes(random() % 3000);
        for (uint8_t& byte : bytes)
            byte = static_cast<uint8_t>(random());
        const std::string text = base64Encode(bytes);
        EXPECT_EQ(text.size() % 4, 0u);
        ASSERT_EQ(base64Decode(text), bytes);
    }
}

} // namespace
