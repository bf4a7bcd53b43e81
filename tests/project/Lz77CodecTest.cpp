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

// Texts that exercise the encoder's search: long matches, buckets full of near
// ties, short matches between literals, nearer shorter matches against farther
// longer ones, runs and a match reaching the end.
std::vector<std::string> searchTexts() {
    std::vector<std::string> texts;
    std::mt19937 random(1234);
    // One pick a statement: the order a call's arguments are evaluated in is the
    // compiler's, and every compiler must generate the same texts.
    const auto pick = [&](uint32_t count) { return static_cast<size_t>(random() % count); };
    // Shader lines: long matches, most of them from the newest candidate.
    {
        static const char* const lines[] = {"uniform float beat;\n",
                                            "uniform vec2 resolution;\n",
                                            "    vec2 uv = gl_FragCoord.xy / resolution;\n",
                                            "    float d = length(uv - 0.5);\n",
                                            "    colour = vec4(vec3(d), 1.0);\n",
                                            "    d += sin(beat * 3.1);\n",
                                            "    // rim\n",
                                            "void main() {\n",
                                            "}\n"};
        std::string text;
        while (text.size() < 200000) {
            text += lines[pick(std::size(lines))];
            if (pick(3) == 0) {
                const size_t value = pick(500);
                const size_t name = pick(50);
                text += "    float v" + std::to_string(name) + " = " + std::to_string(value) + ".0;\n";
            }
        }
        texts.push_back(text);
    }
    // Two letters with pasted copies: every bucket full of near ties.
    {
        std::string text;
        while (text.size() < 60000) {
            if (text.size() > 64 && pick(8) == 0) {
                const size_t length = 3 + pick(60);
                text += text.substr(pick(static_cast<uint32_t>(text.size() - 40)), length);
            } else
                text += static_cast<char>('a' + pick(2));
        }
        texts.push_back(text);
    }
    // Words of a small vocabulary: short matches and literal runs.
    {
        std::vector<std::string> words;
        for (int i = 0; i < 300; ++i) {
            std::string word;
            for (size_t letters = 2 + pick(7); letters > 0; --letters)
                word += static_cast<char>('a' + pick(26));
            words.push_back(word);
        }
        std::string text;
        while (text.size() < 100000) {
            const char* const gap = pick(10) == 0 ? "\n" : " ";
            text += words[pick(300)] + gap;
        }
        texts.push_back(text);
    }
    // A phrase repeated at distances around the steps of the distance's cost,
    // so that a nearer, shorter match may gain more than a farther, longer one.
    {
        std::string text;
        const std::string phrase = "the quick brown fox jumps over the lazy dog";
        for (size_t gap : {3u, 7u, 60u, 1000u, 1100u, 20000u, 131000u, 140000u, 5u}) {
            text += phrase.substr(0, 10 + pick(34));
            for (size_t i = 0; i < gap; ++i)
                text += static_cast<char>('A' + pick(26));
        }
        texts.push_back(text + phrase);
    }
    // Runs, and a repeat that reaches the very end.
    texts.push_back(std::string(5000, 'x') + "yx" + std::string(300, 'x') + "abcdeabcdeabcde");
    return texts;
}

uint64_t fnv1a64(const Bytes& bytes) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3u;
    }
    return hash;
}

// The streams were recorded from the compressor as it first shipped: a search
// that finds another match, however good, breaks them.
TEST(Lz77CodecTest, CompressesGeneratedTextsToTheirRecordedStreams) {
    const struct {
        size_t inputSize;
        size_t streamSize;
        uint64_t streamHash;
    } recorded[] = {
        {200009, 29678, 0xacef500352610b3cu}, {60005, 16069, 0x3bed66f5639e1497u},
        {100001, 49206, 0xfb814700ff1045b2u}, {293473, 293012, 0xa0e8bcc3e834bf2fu},
        {5317, 21, 0x5f33388250a57958u},
    };
    const std::vector<std::string> texts = searchTexts();
    ASSERT_EQ(texts.size(), std::size(recorded));
    for (size_t i = 0; i < texts.size(); ++i) {
        const Bytes stream = lz77Compress(texts[i]);
        EXPECT_EQ(texts[i].size(), recorded[i].inputSize) << i;
        EXPECT_EQ(stream.size(), recorded[i].streamSize) << i;
        EXPECT_EQ(fnv1a64(stream), recorded[i].streamHash) << i;
        EXPECT_EQ(decompress(stream), texts[i]) << i;
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
