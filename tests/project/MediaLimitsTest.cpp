#include "project/MediaLimits.h"
#include "project/FileIo.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include <sys/mman.h>

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::string_view_literals;

// File headers, written field by field and joined with `cat`.
Bytes text(std::string_view value) { return Bytes(value.begin(), value.end()); }
Bytes zeros(size_t count) { return Bytes(count); }
Bytes be(uint32_t value, int width) {
    Bytes bytes;
    for (int i = width - 1; i >= 0; --i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return bytes;
}
Bytes le(uint32_t value, int width) {
    Bytes bytes = be(value, width);
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}
Bytes cat(std::initializer_list<Bytes> fields) {
    Bytes bytes;
    for (const Bytes& field : fields)
        bytes.insert(bytes.end(), field.begin(), field.end());
    return bytes;
}

Bytes fileBytes(const std::string& path) {
    const std::optional<std::string> contents = tryReadWholeFile(path);
    EXPECT_TRUE(contents) << path;
    return contents ? Bytes(contents->begin(), contents->end()) : Bytes();
}

// Zero bytes the kernel maps only when read, so that files of hundreds of megabytes cost nothing.
class UntouchedBytes {
public:
    explicit UntouchedBytes(size_t size)
        : size_(size), data_(mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0)) {}
    ~UntouchedBytes() { munmap(data_, size_); }
    UntouchedBytes(const UntouchedBytes&) = delete;
    UntouchedBytes& operator=(const UntouchedBytes&) = delete;

    std::span<const uint8_t> span() const { return {static_cast<const uint8_t*>(data_), size_}; }

private:
    size_t size_;
    void* data_;
};

Bytes pngDeclaring(uint32_t width, uint32_t height) {
    return cat({text("\x89PNG\r\n\x1A\n"sv), be(13, 4), text("IHDR"), be(width, 4), be(height, 4), zeros(9)});
}

// One sfnt table of 32 bytes, after the 12-byte directory header and its 16-byte record.
Bytes fontWithTableAt(uint32_t offset, uint32_t length) {
    return cat(
        {text("\0\1\0\0"sv), be(1, 2), zeros(6), text("head"), zeros(4), be(offset, 4), be(length, 4), zeros(32)});
}

Bytes wavOfSilence(int frames, int rate) {
    return makeWav(std::vector<int16_t>(static_cast<size_t>(frames) * 2), rate, 2);
}

TEST(MediaLimitsTest, ReadsTheSizeEachImageFormatDeclares) {
    const auto size = [](const Bytes& bytes) {
        const std::optional<ImageSize> declared = declaredImageSize(bytes);
        return declared ? std::to_string(declared->width) + "x" + std::to_string(declared->height) : "none";
    };
    EXPECT_EQ(size(fileBytes(QUILLFRONT_TEST_DATA "/grey-4x2.png")), "4x2");
    EXPECT_EQ(size(fileBytes(QUILLFRONT_TEST_DATA "/palette-2x1.png")), "2x1");
    // A progressive frame header after an APP0 segment and a fill byte.
    EXPECT_EQ(size(cat({text("\xFF\xD8\xFF\xE0"sv), be(16, 2), zeros(14), text("\xFF\xFF\xC2"sv), be(17, 2), be(8, 1),
                        be(600, 2), be(800, 2), zeros(12)})),
              "800x600");
    // A first frame wider than the logical screen widens the image.
    EXPECT_EQ(size(cat({text("GIF89a"), le(10, 2), le(10, 2), le(0x80, 1), zeros(2 + 6), text("\x21\xF9\x04"sv),
                        zeros(5), text("\x2C"sv), zeros(4), le(30000, 2), le(5, 2), zeros(1)})),
              "30000x10");
    EXPECT_EQ(size(cat({text("BM"), zeros(12), le(40, 4), le(3, 4), le(static_cast<uint32_t>(-2), 4)})), "3x2");
    EXPECT_EQ(size(cat({text("qoif"), be(5, 4), be(7, 4), le(4, 1), le(0, 1)})), "5x7");
    const Bytes webp = cat({text("RIFF"), zeros(4), text("WEBP")});
    EXPECT_EQ(size(cat({webp, text("VP8 "), zeros(4 + 3), text("\x9D\x01\x2A"sv), le(640 | 0xC000, 2), le(480, 2)})),
              "640x480");
    EXPECT_EQ(size(cat({webp, text("VP8L"), zeros(4), text("\x2F"), le(99 | (16383 << 14), 4)})), "100x16384");
    EXPECT_EQ(size(cat({webp, text("VP8X"), zeros(4 + 4), le(99999, 3), le(0, 3)})), "100000x1");
    EXPECT_EQ(size(text("P6\n# drawn by hand\n3 2\n255\n")), "3x2");
}

TEST(MediaLimitsTest, ImagesTooLargeToShowAreRefusedBeforeDecoding) {
    Bytes hostilePng = pngDeclaring(40000, 40000);
    hostilePng.resize(700);
    EXPECT_EQ(imageRefusal(hostilePng, maxImageSide),
              "The image declares 40000 x 40000 pixels; at most 16384 x 16384 can be shown");
    const Bytes hugeJpeg = cat({text("\xFF\xD8\xFF\xC0"sv), be(17, 2), be(8, 1), be(60000, 2), be(500, 2), zeros(12)});
    EXPECT_EQ(imageRefusal(hugeJpeg, maxImageSide),
              "The image declares 500 x 60000 pixels; at most 16384 x 16384 can be shown");

    // The driver's smaller texture limit applies as well.
    EXPECT_EQ(imageRefusal(pngDeclaring(10000, 10), maxImageSide), std::nullopt);
    EXPECT_TRUE(imageRefusal(pngDeclaring(10000, 10), 8192));

    EXPECT_EQ(imageRefusal(pngDeclaring(0, 10), maxImageSide),
              "The image declares 0 x 10 pixels; it needs at least 1 x 1");
}

TEST(MediaLimitsTest, UnknownOrTruncatedImagesAreLeftToTheDecoder) {
    const Bytes png = pngDeclaring(40000, 40000);
    EXPECT_EQ(imageRefusal(std::span(png).first(23), maxImageSide), std::nullopt);
    // A segment running off the end before any frame header.
    EXPECT_EQ(imageRefusal(cat({text("\xFF\xD8\xFF\xE1"sv), be(60000, 2), zeros(10)}), 1), std::nullopt);
    EXPECT_EQ(imageRefusal(text("<svg width='99999'/>"), 1), std::nullopt);
    EXPECT_EQ(imageRefusal({}, 1), std::nullopt);
}

TEST(MediaLimitsTest, FontsMustBeTrueTypeOrOpenTypeWithTablesInsideTheFile) {
    EXPECT_EQ(fontRefusal(fileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")), std::nullopt);
    EXPECT_EQ(fontRefusal(fontWithTableAt(28, 32)), std::nullopt);

    const std::string damaged = "The font file is truncated or damaged: its tables lie past its end";
    EXPECT_EQ(fontRefusal(fontWithTableAt(28, 33)), damaged);
    EXPECT_EQ(fontRefusal(fontWithTableAt(0xFFFFFFF0, 0x20)), damaged);
    const Bytes font = fontWithTableAt(28, 32);
    EXPECT_EQ(fontRefusal(std::span(font).first(20)), damaged);
    EXPECT_EQ(fontRefusal(cat({text("OTTO"), be(0xFFFF, 2), zeros(6)})),
              "The font declares 65535 tables; 1 to 256 are accepted");

    // A collection is judged by its first font, whose offsets count from the collection's start.
    const auto collection = [](uint32_t tableOffset) {
        return cat({text("ttcf"), be(0x00010000, 4), be(1, 4), be(16, 4), text("true"), be(1, 2), zeros(6),
                    text("glyf"), zeros(4), be(tableOffset, 4), be(32, 4), zeros(32)});
    };
    EXPECT_EQ(fontRefusal(collection(16 + 28)), std::nullopt);
    EXPECT_EQ(fontRefusal(collection(16 + 28 + 1)), damaged);

    EXPECT_EQ(fontRefusal(cat({text("wOFF"), zeros(40)})), "Not a TrueType or OpenType font");
    const UntouchedBytes huge(maxFontBytes + 1);
    EXPECT_EQ(fontRefusal(huge.span()), "The font file is 65 MiB; at most 64 MiB can be loaded");
}

TEST(MediaLimitsTest, WavSamplesAreJudgedByTheSizeTheyDecodeTo) {
    EXPECT_EQ(sampleRefusal(makeSilentWav(0.5)), std::nullopt);
    // 1 second at 8000 Hz mono grows six times, and stays small.
    EXPECT_EQ(sampleRefusal(makeWav(std::vector<int16_t>(8000), 8000, 1)), std::nullopt);
    // 2000 frames at 1 Hz would play for 33 minutes once converted to 48000 Hz.
    EXPECT_EQ(sampleRefusal(wavOfSilence(2000, 1)),
              "The WAV file would decode to 367 MiB; at most 256 MiB can be loaded");

    Bytes overclaiming = wavOfSilence(480, 48000);
    const Bytes claimedSize = le(0x7FFFFFFF, 4);
    std::copy(claimedSize.begin(), claimedSize.end(), overclaiming.begin() + 40);
    EXPECT_EQ(sampleRefusal(overclaiming), "The WAV file's data chunk claims 2147483647 bytes but only 1920 follow");

    Bytes noChannels = wavOfSilence(10, 48000);
    noChannels[22] = 0;
    EXPECT_EQ(sampleRefusal(noChannels),
              "The WAV file declares 0 channels of 16 bits at 48000 Hz in blocks of 4 bytes, which cannot be played");
    EXPECT_EQ(sampleRefusal(std::span(noChannels).first(36)), "The WAV file lacks a format or data chunk");
}

TEST(MediaLimitsTest, CompressedSamplesAndMusicAreCappedBySize) {
    const Bytes mp3 = fileBytes(QUILLFRONT_TEST_DATA "/tone-440hz-3s.mp3");
    EXPECT_EQ(sampleRefusal(mp3), std::nullopt);
    EXPECT_EQ(musicRefusal(mp3), std::nullopt);

    const UntouchedBytes longSample(maxEncodedSampleBytes + 1);
    EXPECT_EQ(sampleRefusal(longSample.span()), "The sample file is 33 MiB; at most 32 MiB can be loaded");
    EXPECT_EQ(musicRefusal(longSample.span()), std::nullopt);
    const UntouchedBytes longMusic(maxMusicBytes + 1);
    EXPECT_EQ(musicRefusal(longMusic.span()), "The music file is 513 MiB; at most 512 MiB can be loaded");
}

// Every prefix of every header goes through every check. Cut short, an image
// header declares nothing or what the whole one declares (never bytes read past
// its end), and a font or WAV file is refused as damaged.
TEST(MediaLimitsTest, EveryCutShortHeaderIsReadOnlyUpToItsEnd) {
    const std::vector<Bytes> images = {
        pngDeclaring(4, 2),
        cat({text("\xFF\xD8\xFF\xE0"sv), be(16, 2), zeros(14), text("\xFF\xC0"sv), be(17, 2), be(8, 1), be(2, 2),
             be(3, 2), zeros(12)}),
        cat({text("GIF87a"), le(5, 2), le(6, 2), le(0x87, 1), zeros(2 + 768), text("\x21\x01\x03"sv), zeros(4),
             text(","), zeros(4), le(3, 2), le(2, 2), zeros(1)}),
        cat({text("BM"), zeros(12), le(12, 4), le(7, 2), le(8, 2), zeros(4)}),
        cat({text("RIFF"), zeros(4), text("WEBPVP8X"), zeros(8), le(9, 3), le(9, 3)}),
        text("P5 #\n1 1\n"),
    };
    for (const Bytes& file : images) {
        const std::optional<ImageSize> whole = declaredImageSize(file);
        ASSERT_TRUE(whole) << file.size();
        for (size_t length = 0; length < file.size(); ++length) {
            // Other bytes after the cut: a size read past it would differ.
            Bytes copy(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            copy.resize(file.size(), 0xEE);
            const std::span<const uint8_t> prefix(copy.data(), length);
            if (const std::optional<ImageSize> cut = declaredImageSize(prefix)) {
                EXPECT_TRUE(cut->width == whole->width && cut->height == whole->height) << file.size() << " " << length;
            }
            EXPECT_EQ(fontRefusal(prefix), "Not a TrueType or OpenType font");
            EXPECT_EQ(sampleRefusal(prefix), std::nullopt) << "not a WAV: small enough for its decoder";
        }
    }

    const Bytes font = fontWithTableAt(28, 32);
    for (size_t length = 4; length < font.size(); ++length)
        EXPECT_EQ(fontRefusal(std::span(font).first(length)),
                  "The font file is truncated or damaged: its tables lie past its end")
            << length;
    const Bytes wav = wavOfSilence(4, 48000);
    for (size_t length = 12; length < wav.size(); ++length)
        EXPECT_TRUE(sampleRefusal(std::span(wav).first(length))) << length;
}

} // namespace
