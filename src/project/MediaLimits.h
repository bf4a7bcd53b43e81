// Checks of a resource file's bytes before any decoder sees them. A few hostile
// bytes can declare sizes that make SDL_image, SDL_ttf or SDL_mixer allocate
// gigabytes (a 700-byte PNG declaring 40000 x 40000 pixels asks for 6.3 GB), so
// the declarations in each header are compared with what the program can hold.
// Each check returns the message to show the user, or nothing when the file may
// go to its decoder. Pure functions of the bytes: any input is safe and nothing
// throws.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Callers pass the smaller of this and GL_MAX_TEXTURE_SIZE as `maxSide`.
constexpr int64_t maxImageSide = 16384; // pixels

constexpr uint64_t maxFontBytes = uint64_t{64} << 20; // bytes of the font file
constexpr uint32_t maxFontTables = 256;               // real fonts have a few dozen

// Samples are decoded whole into the mixer's 48000 Hz stereo 16-bit format.
constexpr uint64_t maxDecodedSampleBytes = uint64_t{256} << 20; // bytes after decoding
// The decoded size of compressed samples (OGG, MP3, FLAC...) cannot be read
// cheaply from their headers, so their encoded size is capped instead.
constexpr uint64_t maxEncodedSampleBytes = uint64_t{32} << 20; // bytes of the file
// Music is streamed, so only the file itself must fit in memory.
constexpr uint64_t maxMusicBytes = uint64_t{512} << 20; // bytes of the file

// The largest values a WAV's format may declare and still be played.
constexpr uint32_t maxSampleChannels = 8;
constexpr uint32_t maxSampleRate = 768000; // Hz
constexpr uint32_t maxBitsPerSample = 64;  // per channel

struct ImageSize {
    int64_t width;  // pixels, as declared: may be 0 or negative
    int64_t height; // pixels; a bottom-up or top-down BMP both give a positive height
};

// The size declared in the header of a PNG, JPEG, GIF, BMP, QOI, WEBP or PNM
// (P1 to P6) image; nothing when the format is not one of these or the header
// is cut short. For a GIF, the larger of its screen and its first frame.
std::optional<ImageSize> declaredImageSize(std::span<const uint8_t> bytes);

// Refuses an image declaring a side above `maxSide` or below 1 pixel. Formats
// not recognised above are left to the decoder.
std::optional<std::string> imageRefusal(std::span<const uint8_t> bytes, int64_t maxSide);

// Refuses a file larger than maxFontBytes, one that is not TrueType or OpenType
// (a collection is judged by its first font), and a table directory with too
// many tables or pointing past the end of the file.
std::optional<std::string> fontRefusal(std::span<const uint8_t> bytes);

// Refuses a WAV file whose chunks or format are damaged, whose data chunk
// claims more bytes than follow, or that would decode to more than
// maxDecodedSampleBytes (a WAV declaring 1 Hz expands 48000 times). Other
// formats are refused above maxEncodedSampleBytes.
std::optional<std::string> sampleRefusal(std::span<const uint8_t> bytes);

// Refuses a file larger than maxMusicBytes.
std::optional<std::string> musicRefusal(std::span<const uint8_t> bytes);
