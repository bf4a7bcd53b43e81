#include "project/Lz77Codec.h"
#include "project/CodecError.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

std::string decompress(const Bytes& stream) { return lz77Decompress(stream); }

Bytes varint(uint64_t value) {
    Bytes bytes;
    for (; value > 127; value >>= 7)
        bytes.push_back(static_cast<uint8_t>(value | 0x80));
    bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

TEST(Lz77CodecTest, CompressesTheReferenceStrings) {
    const struct {
        std::string input;
        Bytes stream;
    } cases[] = {
        {"", {0x00}},
        {"abc", {0x03, 0x07, 0x61, 0x62, 0x63}},
        {"abcd", {0x04, 0x09, 0x61, 0x62, 0x63, 0x64}},
        // One literal, then offset 1 with the explicit length 99.
        {std::string(100, 'a'), {0x64, 0x03, 0x61, 0x10, 0x5F}},
        // Six literals, then offset 6 and length 12.
        {"abcdefabcdefabcdef", {0x12, 0x0D, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x60, 0x08}},
        // A match of length 5 to 11 carries its length in the token.
        {"abcdefabcdef", {0x0C, 0x0D, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x64}},
    };
    for (const auto& [input, stream] : cases) {
        EXPECT_EQ(lz77Compress(input), stream) << input;
        EXPECT_EQ(decompress(stream), input);
    }
}

TEST(Lz77CodecTest, LeavesTheLastFourBytesAndShortMatchesAsLiterals) {
    // "abcd" repeats, but only 4 bytes long: it costs more than it saves.
    const std::string input = "abcdXabcd";
    Bytes expected = {0x09, 0x13};
    expected.insert(expected.end(), input.begin(), input.end());
    EXPECT_EQ(lz77Compress(input), expected);
}

std::string randomText(std::mt19937& random, size_t length, int alphabet) {
    std::string text(length, '\0');
    for (char& c : text)
        c = static_cast<char>('a' + static_cast<int>(random() % static_cast<unsigned>(alphabet)));
    return text;
}

TEST(Lz77CodecTest, RandomStringsSurviveARoundTrip) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const size_t length = random() % (round < 200 ? 64 : 20000);
        std::string input;
        switch (round % 4) {
        case 0: // any bytes: hardly compressible
            for (size_t i = 0; i < length; ++i)
                input += static_cast<char>(random());
            break;
        case 1: // a small alphabet: many short matches
            input = randomText(random, length, 3);
            break;
        case 2: // runs of one byte: overlapping copies
            while (input.size() < length)
                input += std::string(random() % 300, static_cast<char>(random()));
            break;
        default: // repeated phrases, as in shader sources
            while (input.size() < length)
                input += randomText(random, 1 + random() % 40, 26) + "uniform float time;\n";
            break;
        }
        const Bytes stream = lz77Compress(input);
        ASSERT_EQ(decompress(stream), input) << "round " << round;
    }
}

TEST(Lz77CodecTest, RepetitiveTextShrinks) {
    std::string shader;
    for (int i = 0; i < 1000; ++i)
        shader += "vec3 colour = texture(image, uv + vec2(" + std::to_string(i % 7) + ".0)).rgb;\n";
    const Bytes stream = lz77Compress(shader);
    EXPECT_LT(stream.size(), shader.size() / 20);
    EXPECT_EQ(decompress(stream), shader);
}

TEST(Lz77CodecTest, EarlierCompressionsLeaveNoTraceInLaterOnes) {
    const std::string text = "uniform float beat; uniform float beat; void main() {}";
    std::vector<uint8_t> alone;
    std::thread([&] { alone = lz77Compress(text); }).join(); // a thread that compressed nothing before
    std::string earlier;
    for (int i = 0; i < 20000; ++i)
        earlier += "float beat" + std::to_string(i % 97) + "; ";
    lz77Compress(earlier);
    EXPECT_EQ(lz77Compress(text), alone);
    lz77Compress(text.substr(0, 20));
    EXPECT_EQ(lz77Compress(text), alone);
}

TEST(Lz77CodecTest, DecoderAcceptsMatchesTheEncoderNeverWrites) {
    // A 4-byte match through an explicit length of 0, and a literal run split in two.
    EXPECT_EQ(decompress({0x07, 0x03, 'a', 0x10, 0x00, 0x05, 'b', 'c'}), "aaaaabc");
    // Offset 0 copies each output byte onto itself: zeros.
    EXPECT_EQ(decompress({0x05, 0x02}), std::string(5, '\0'));
    // Bytes after the last token are ignored.
    EXPECT_EQ(decompress({0x01, 0x03, 'x', 0xFF, 0xFF}), "x");
}

// Matches of every short offset and of lengths around the decoder's block sizes,
// in the middle of the output and at its very end, copy as byte by byte.
TEST(Lz77CodecTest, MatchesCopyAsByteByByteWhateverTheirOffsetAndLength) {
    const std::string prefix = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (size_t offset = 1; offset <= prefix.size(); ++offset) {
        for (size_t length = 4; length <= 140; ++length) {
            for (const size_t after : {size_t{0}, size_t{1}, size_t{15}, size_t{200}}) {
                std::string expected = prefix;
                for (size_t i = 0; i < length; ++i)
                    expected += expected[expected.size() - offset];
                expected += std::string(after, '!');
                Bytes stream = varint(expected.size());
                const Bytes literal = varint(prefix.size() * 2 + 1);
                stream.insert(stream.end(), literal.begin(), literal.end());
                stream.insert(stream.end(), prefix.begin(), prefix.end());
                // A length code of 0 says that the length follows.
                const size_t code = length - 4 <= 7 ? length - 4 : 0;
                const Bytes match = varint((offset * 8 + code) * 2);
                stream.insert(stream.end(), match.begin(), match.end());
                if (code == 0) {
                    const Bytes extra = varint(length - 4);
                    stream.insert(stream.end(), extra.begin(), extra.end());
                }
                if (after > 0) {
                    const Bytes tail = varint(after * 2 + 1);
                    stream.insert(stream.end(), tail.begin(), tail.end());
                    stream.insert(stream.end(), after, '!');
                }
                ASSERT_EQ(decompress(stream), expected) << "offset " << offset << ", length " << length;
            }
        }
    }
}

TEST(Lz77CodecTest, AStreamEndingEarlyIsPaddedWithZeros) {
    const struct {
        Bytes stream;
        std::string output;
    } cases[] = {
        {{}, ""},
        {{0x06}, std::string(6, '\0')},
        {{0x06, 0x03, 'a'}, std::string("a\0\0\0\0\0", 6)},
        {{0x06, 0x09, 'a', 'b'}, std::string("ab\0\0\0\0", 6)},   // a literal run cut short
        {{0x06, 0x03, 'a', 0x90}, std::string("a\0\0\0\0\0", 6)}, // inside a token
        {{0x06, 0x03, 'a', 0x10}, std::string("a\0\0\0\0\0", 6)}, // before an explicit length
    };
    for (const auto& [stream, output] : cases)
        EXPECT_EQ(decompress(stream), output);
}

TEST(Lz77CodecTest, RefusesMalformedStreams) {
    const Bytes cases[] = {
        {0x02, 0x07, 'a', 'b', 'c'},   // literal run longer than the output left
        {0x05, 0x03, 'a', 0x22},       // match from 2 bytes back after 1 byte
        {0x05, 0x03, 'a', 0x1E},       // match of 11 with 4 bytes left
        {0x0A, 0x03, 'a', 0x10, 0x64}, // explicit length 104 with 9 left
        {0x0A, 0x03, 'a', 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, // 2^64 - 1 + 4
        {0x0A, 0x03, 'a', 0x10, 0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, // 2^64 - 3 + 4 wraps
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01},                  // varint beyond 64 bits
        {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x02},                        // 2^64 in ten bytes
        {0x80},                                                                              // header cut short
        varint(maxLz77DecodedLength + 1),
        varint(UINT64_MAX),
    };
    for (const Bytes& stream : cases) {
        try {
            decompress(stream);
            ADD_FAILURE() << "accepted a stream of " << stream.size() << " bytes";
        } catch (const CodecError& error) {
            EXPECT_EQ(error.kind(), CodecErrorKind::MalformedCompressedData);
            EXPECT_STREQ(error.what(), "Malformed data while uncompressing");
        }
    }
}

TEST(Lz77CodecTest, LengthsUpToTheCapAreAllocated) {
    const uint64_t length = uint64_t{1} << 20;
    EXPECT_EQ(decompress(varint(length)), std::string(length, '\0'));
}

} // namespace
