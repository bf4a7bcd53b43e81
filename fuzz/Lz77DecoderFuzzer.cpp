// Feeds arbitrary bytes to the LZ77 decoder, which may only refuse them with
// CodecError; and checks that the same bytes, taken as a string, survive the
// compressor and the decoder unchanged.
#include "project/CodecError.h"
#include "project/Lz77Codec.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Streams declaring more than this, but no more than the decoder's cap, are
// not decoded here: zeroing hundreds of megabytes per input would slow the
// search a thousandfold without reaching any other code.
constexpr uint64_t largestDecodedHere = uint64_t{256} << 10;

uint64_t declaredLength(const uint8_t* data, size_t size) {
    uint64_t length = 0;
    for (size_t i = 0; i < size && i < 10; ++i) {
        length |= uint64_t{data[i] & 0x7Fu} << (7 * i);
        if (!(data[i] & 0x80))
            break;
    }
    return length;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint64_t length = declaredLength(data, size);
    if (length <= largestDecodedHere || length > maxLz77DecodedLength) {
        try {
            if (lz77Decompress({data, size}).size() != length)
                std::abort();
        } catch (const CodecError&) {
        }
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (lz77Decompress(lz77Compress(text)) != text)
        std::abort();
    return 0;
}
