// The byte-oriented LZ77 codec of compressed strings (CompressedString.h).
//
// Stream: varint L, the decoded length; then tokens until L bytes are produced.
// Varints are unsigned LEB128. A token starts with a varint T:
//   T odd:  a literal run of T >> 1 bytes, which follow.
//   T even: a match; with n = T >> 1, offset = n >> 3 and code = n & 7, its
//           length is code + 4, or, when code is 0, a second varint X + 4. The
//           match copies byte by byte from `offset` bytes behind the output
//           position, so it may overlap the bytes it produces.
// Bytes after the last token are ignored. Standalone players carry streams
// written by this compressor, which must therefore stay byte for byte the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Decoded lengths above this are refused as malformed rather than allocated.
constexpr uint64_t maxLz77DecodedLength = uint64_t{256} << 20;

std::vector<uint8_t> lz77Compress(std::string_view bytes);

// Throws CodecError (MalformedCompressedData) for a declared length above the
// cap, an unreadable varint, a literal run or match that does not fit in the
// remaining output, or a match reaching before the start of the output. A
// stream that ends before L bytes are produced gives L bytes, the missing ones
// zero; an empty stream gives the empty string.
std::string lz77Decompress(std::span<const uint8_t> stream);

// The decoded length a stream declares: 0 for an empty stream. Throws like the
// decoder for an unreadable header.
uint64_t lz77DeclaredLength(std::span<const uint8_t> stream);
