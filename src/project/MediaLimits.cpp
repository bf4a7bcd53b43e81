#include "project/MediaLimits.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

using Bytes = std::span<const uint8_t>;
using namespace std::string_view_literals; // magics such as "\0\1\0\0"sv hold NUL bytes

// Whether `count` bytes start at `offset`; safe for any 64-bit values.
bool holds(Bytes bytes, uint64_t offset, uint64_t count) {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

bool hasMagic(Bytes bytes, uint64_t offset, std::string_view magic) {
    return holds(bytes, offset, magic.size()) &&
           std::equal(magic.begin(), magic.end(), bytes.begin() + static_cast<ptrdiff_t>(offset),
                      [](char expected, uint8_t byte) { return static_cast<uint8_t>(expected) == byte; });
}

// The unsigned integer of `width` bytes (at most 4) at `offset`; callers check `holds` first.
uint32_t bigEndian(Bytes bytes, uint64_t offset, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | bytes[offset + static_cast<uint64_t>(i)];
    return value;
}

uint32_t littleEndian(Bytes bytes, uint64_t offset, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | bytes[offset + static_cast<uint64_t>(i)];
    return value;
}

// Rounded up, so that a file just over a ceiling does not read as equal to it.
std::string mebibytes(uint64_t bytes) {
    constexpr uint64_t mebibyte = uint64_t{1} << 20;
    return std::to_string(bytes / mebibyte + (bytes % mebibyte != 0)) + " MiB";
}

std::optional<std::string> sizeRefusal(std::string_view what, uint64_t bytes, uint64_t ceiling) {
    if (bytes <= ceiling)
        return std::nullopt;
    return "The " + std::string(what) + " is " + mebibytes(bytes) + "; at most " + mebibytes(ceiling) +
           " can be loaded";
}

// Images: each reader answers nothing for bytes in another format.

std::optional<ImageSize> pngSize(Bytes bytes) {
    // IHDR is always the first chunk: signature, chunk length, "IHDR", width, height.
    if (!hasMagic(bytes, 0, "\x89PNG\r\n\x1A\n"sv) || !hasMagic(bytes, 12, "IHDR"sv) || !holds(bytes, 16, 8))
        return std::nullopt;
    return ImageSize{bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4)};
}

// SOF0 to SOF15, less the markers sharing that range: DHT (C4), JPG (C8) and DAC (CC).
bool isJpegFrameStart(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// TEM, RST0 to RST7 and SOI carry no length field.
bool isStandaloneJpegMarker(uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

std::optional<ImageSize> jpegSize(Bytes bytes) {
    if (!hasMagic(bytes, 0, "\xFF\xD8"sv))
        return std::nullopt;
    uint64_t at = 2;
    while (holds(bytes, at, 2) && bytes[at] == 0xFF) {
        const uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        at += 2;
        if (isStandaloneJpegMarker(marker))
            continue;
        // The end of the image, or a scan, before any frame header: nothing to read.
        if (marker == 0xD9 || marker == 0xDA || !holds(bytes, at, 2))
            return std::nullopt;
        if (isJpegFrameStart(marker)) {
            // Length, precision, height, width.
            if (!holds(bytes, at, 7))
                return std::nullopt;
            return ImageSize{bigEndian(bytes, at + 5, 2), bigEndian(bytes, at + 3, 2)};
        }
        const uint32_t length = bigEndian(bytes, at, 2); // counts itself
        if (length < 2)
            return std::nullopt;
        at += length;
    }
    return std::nullopt;
}

// Past a chain of GIF data sub-blocks, each a length byte then that many bytes, ended by a 0 length.
uint64_t skipGifSubBlocks(Bytes bytes, uint64_t at) {
    while (holds(bytes, at, 1) && bytes[at] != 0)
        at += 1 + uint64_t{bytes[at]};
    return at + 1;
}

// The size of the first image descriptor, found past the global colour table and any extensions.
std::optional<ImageSize> firstGifFrameSize(Bytes bytes) {
    const uint8_t screenFlags = bytes[10];
    const uint64_t colourTableBytes = (screenFlags & 0x80) ? uint64_t{3} << ((screenFlags & 7) + 1) : 0;
    uint64_t at = 13 + colourTableBytes;
    while (holds(bytes, at, 2) && bytes[at] == 0x21) // extension: introducer, label, sub-blocks
        at = skipGifSubBlocks(bytes, at + 2);
    // Separator, left, top, width, height, flags.
    if (!hasMagic(bytes, at, "\x2C"sv) || !holds(bytes, at, 10))
        return std::nullopt;
    return ImageSize{littleEndian(bytes, at + 5, 2), littleEndian(bytes, at + 7, 2)};
}

std::optional<ImageSize> gifSize(Bytes bytes) {
    if (!(hasMagic(bytes, 0, "GIF87a"sv) || hasMagic(bytes, 0, "GIF89a"sv)) || !holds(bytes, 0, 13))
        return std::nullopt;
    ImageSize size{littleEndian(bytes, 6, 2), littleEndian(bytes, 8, 2)};
    // Decoders differ on whether a frame larger than the screen grows the image: assume it does.
    if (const std::optional<ImageSize> frame = firstGifFrameSize(bytes)) {
        size.width = std::max(size.width, frame->width);
        size.height = std::max(size.height, frame->height);
    }
    return size;
}

std::optional<ImageSize> bmpSize(Bytes bytes) {
    // The 14-byte file header, then the info header starting with its own size.
    if (!hasMagic(bytes, 0, "BM"sv) || !holds(bytes, 14, 4))
        return std::nullopt;
    const uint32_t infoHeaderBytes = littleEndian(bytes, 14, 4);
    if (infoHeaderBytes == 12) { // OS/2 BITMAPCOREHEADER: unsigned 16-bit sides
        if (!holds(bytes, 18, 4))
            return std::nullopt;
        return ImageSize{littleEndian(bytes, 18, 2), littleEndian(bytes, 20, 2)};
    }
    if (infoHeaderBytes < 16 || !holds(bytes, 18, 8))
        return std::nullopt;
    const auto width = static_cast<int32_t>(littleEndian(bytes, 18, 4));
    const auto height = static_cast<int32_t>(littleEndian(bytes, 22, 4));
    // A negative height stores the rows top-down.
    return ImageSize{width, std::abs(int64_t{height})};
}

std::optional<ImageSize> qoiSize(Bytes bytes) {
    if (!hasMagic(bytes, 0, "qoif"sv) || !holds(bytes, 0, 14))
        return std::nullopt;
    return ImageSize{bigEndian(bytes, 4, 4), bigEndian(bytes, 8, 4)};
}

// A RIFF container whose first chunk, at byte 12, is the bitstream or the extended header.
std::optional<ImageSize> webpSize(Bytes bytes) {
    if (!hasMagic(bytes, 0, "RIFF"sv) || !hasMagic(bytes, 8, "WEBP"sv))
        return std::nullopt;
    // Lossy: frame tag, start code, then 14-bit sides whose top two bits only hint at scaling.
    if (hasMagic(bytes, 12, "VP8 "sv) && hasMagic(bytes, 23, "\x9D\x01\x2A"sv) && holds(bytes, 26, 4))
        return ImageSize{littleEndian(bytes, 26, 2) & 0x3FFF, littleEndian(bytes, 28, 2) & 0x3FFF};
    // Lossless: signature byte, then 14 bits of width - 1 and 14 bits of height - 1.
    if (hasMagic(bytes, 12, "VP8L"sv) && hasMagic(bytes, 20, "\x2F"sv) && holds(bytes, 21, 4)) {
        const uint32_t bits = littleEndian(bytes, 21, 4);
        return ImageSize{(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
    }
    // Extended: flags, 3 reserved bytes, then 24 bits each of canvas width - 1 and height - 1.
    if (hasMagic(bytes, 12, "VP8X"sv) && holds(bytes, 24, 6))
        return ImageSize{int64_t{littleEndian(bytes, 24, 3)} + 1, int64_t{littleEndian(bytes, 27, 3)} + 1};
    return std::nullopt;
}

bool isPnmSpace(uint8_t byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

// Past the whitespace and comments (from '#' to the end of the line) between header fields.
uint64_t skipPnmSpace(Bytes bytes, uint64_t at) {
    while (at < bytes.size() && (isPnmSpace(bytes[at]) || bytes[at] == '#')) {
        if (bytes[at] == '#') {
            while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r')
                ++at;
        } else {
            ++at;
        }
    }
    return at;
}

// A decimal field; saturates far above any side an image may have, so long digit runs cannot overflow.
std::optional<int64_t> readPnmNumber(Bytes bytes, uint64_t& at) {
    constexpr int64_t saturation = int64_t{1} << 40;
    const uint64_t start = at;
    int64_t value = 0;
    for (; at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9'; ++at)
        value = std::min(value * 10 + (bytes[at] - '0'), saturation);
    if (at == start)
        return std::nullopt;
    return value;
}

std::optional<ImageSize> pnmSize(Bytes bytes) {
    if (!holds(bytes, 0, 2) || bytes[0] != 'P' || bytes[1] < '1' || bytes[1] > '6')
        return std::nullopt;
    uint64_t at = skipPnmSpace(bytes, 2);
    const std::optional<int64_t> width = readPnmNumber(bytes, at);
    at = skipPnmSpace(bytes, at);
    const std::optional<int64_t> height = readPnmNumber(bytes, at);
    if (!width || !height)
        return std::nullopt;
    return ImageSize{*width, *height};
}

// Fonts.

bool isSfntVersion(Bytes bytes, uint64_t at) {
    return hasMagic(bytes, at, "\0\1\0\0"sv) || hasMagic(bytes, at, "OTTO"sv) || hasMagic(bytes, at, "true"sv);
}

const char* const damagedFont = "The font file is truncated or damaged: its tables lie past its end";

// The directory: version, table count and three search fields, then 16-byte records of tag,
// checksum, offset and length.
std::optional<std::string> fontDirectoryRefusal(Bytes bytes, uint64_t directory) {
    if (!holds(bytes, directory, 12))
        return damagedFont;
    const uint32_t tableCount = bigEndian(bytes, directory + 4, 2);
    if (tableCount == 0 || tableCount > maxFontTables)
        return "The font declares " + std::to_string(tableCount) + " tables; 1 to " + std::to_string(maxFontTables) +
               " are accepted";
    const uint64_t records = directory + 12;
    if (!holds(bytes, records, uint64_t{16} * tableCount))
        return damagedFont;
    for (uint64_t record = records; record < records + uint64_t{16} * tableCount; record += 16)
        if (!holds(bytes, bigEndian(bytes, record + 8, 4), bigEndian(bytes, record + 12, 4)))
            return damagedFont;
    return std::nullopt;
}

// Samples.

// The fields of a WAV file that set its decoded size.
struct WavHeader {
    uint32_t channels = 0;
    uint32_t sampleRate = 0;    // Hz
    uint32_t bitsPerSample = 0; // per channel: 4 for ADPCM
    uint32_t blockAlign = 0;    // bytes per block of frames
    uint64_t dataBytes = 0;
    bool hasFormat = false;
    bool hasData = false;
};

// Walks the chunks after "RIFF", size, "WAVE"; each is an id, a 32-bit size, the body and a pad
// byte when the size is odd. A truncated chunk other than the data ends the walk.
std::optional<std::string> readWavHeader(Bytes bytes, WavHeader& header) {
    uint64_t at = 12;
    while (holds(bytes, at, 8) && !(header.hasFormat && header.hasData)) {
        const uint64_t body = at + 8;
        const uint64_t size = littleEndian(bytes, at + 4, 4);
        if (hasMagic(bytes, at, "data"sv)) {
            if (!holds(bytes, body, size))
                return "The WAV file's data chunk claims " + std::to_string(size) + " bytes but only " +
                       std::to_string(bytes.size() - body) + " follow";
            header.dataBytes = size;
            header.hasData = true;
        } else if (hasMagic(bytes, at, "fmt "sv) && size >= 16 && holds(bytes, body, 16)) {
            // Format tag, channels, sample rate, byte rate, block align, bits per sample.
            header.channels = littleEndian(bytes, body + 2, 2);
            header.sampleRate = littleEndian(bytes, body + 4, 4);
            header.blockAlign = littleEndian(bytes, body + 12, 2);
            header.bitsPerSample = littleEndian(bytes, body + 14, 2);
            header.hasFormat = true;
        }
        at = body + size + (size & 1);
    }
    if (!header.hasFormat || !header.hasData)
        return "The WAV file lacks a format or data chunk";
    return std::nullopt;
}

bool isPlayableFormat(const WavHeader& header) {
    return header.channels >= 1 && header.channels <= maxSampleChannels && header.sampleRate >= 1 &&
           header.sampleRate <= maxSampleRate && header.bitsPerSample >= 1 &&
           header.bitsPerSample <= maxBitsPerSample && header.blockAlign >= 1;
}

// The bytes SDL_mixer allocates to convert the whole data to 48000 Hz stereo 16-bit. Frames are
// counted from bits rather than blocks, as an ADPCM block holds many frames.
uint64_t decodedBytes(const WavHeader& header) {
    constexpr uint64_t mixerRate = 48000;   // Hz
    constexpr uint64_t mixerFrameBytes = 4; // two 16-bit channels
    const uint64_t frames = header.dataBytes * 8 / (uint64_t{header.channels} * header.bitsPerSample);
    const uint64_t mixedFrames = (frames * mixerRate + header.sampleRate - 1) / header.sampleRate;
    return mixedFrames * mixerFrameBytes;
}

std::optional<std::string> wavRefusal(Bytes bytes) {
    WavHeader header;
    if (std::optional<std::string> refusal = readWavHeader(bytes, header))
        return refusal;
    if (!isPlayableFormat(header))
        return "The WAV file declares " + std::to_string(header.channels) + " channels of " +
               std::to_string(header.bitsPerSample) + " bits at " + std::to_string(header.sampleRate) +
               " Hz in blocks of " + std::to_string(header.blockAlign) + " bytes, which cannot be played";
    const uint64_t decoded = decodedBytes(header);
    if (decoded > maxDecodedSampleBytes)
        return "The WAV file would decode to " + mebibytes(decoded) + "; at most " + mebibytes(maxDecodedSampleBytes) +
               " can be loaded";
    return std::nullopt;
}

} // namespace

std::optional<ImageSize> declaredImageSize(std::span<const uint8_t> bytes) {
    for (auto* reader : {pngSize, jpegSize, gifSize, bmpSize, qoiSize, webpSize, pnmSize})
        if (std::optional<ImageSize> size = reader(bytes))
            return size;
    return std::nullopt;
}

std::optional<std::string> imageRefusal(std::span<const uint8_t> bytes, int64_t maxSide) {
    const std::optional<ImageSize> size = declaredImageSize(bytes);
    if (!size)
        return std::nullopt;
    const std::string declared =
        "The image declares " + std::to_string(size->width) + " x " + std::to_string(size->height) + " pixels";
    if (size->width < 1 || size->height < 1)
        return declared + "; it needs at least 1 x 1";
    if (size->width > maxSide || size->height > maxSide)
        return declared + "; at most " + std::to_string(maxSide) + " x " + std::to_string(maxSide) + " can be shown";
    return std::nullopt;
}

std::optional<std::string> fontRefusal(std::span<const uint8_t> bytes) {
    if (std::optional<std::string> refusal = sizeRefusal("font file", bytes.size(), maxFontBytes))
        return refusal;
    if (isSfntVersion(bytes, 0))
        return fontDirectoryRefusal(bytes, 0);
    // A collection: a header with the font count and offsets, then fonts sharing tables.
    if (hasMagic(bytes, 0, "ttcf"sv)) {
        if (!holds(bytes, 8, 8) || bigEndian(bytes, 8, 4) == 0 || !isSfntVersion(bytes, bigEndian(bytes, 12, 4)))
            return damagedFont;
        return fontDirectoryRefusal(bytes, bigEndian(bytes, 12, 4));
    }
    return "Not a TrueType or OpenType font";
}

std::optional<std::string> sampleRefusal(std::span<const uint8_t> bytes) {
    if (hasMagic(bytes, 0, "RIFF"sv) && hasMagic(bytes, 8, "WAVE"sv))
        return wavRefusal(bytes);
    return sizeRefusal("sample file", bytes.size(), maxEncodedSampleBytes);
}

std::optional<std::string> musicRefusal(std::span<const uint8_t> bytes) {
    return sizeRefusal("music file", bytes.size(), maxMusicBytes);
}
