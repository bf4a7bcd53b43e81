// How every string is stored in the binary project form: u64 N, the length of
// the stream that follows, then N bytes holding one LZ77 stream (Lz77Codec.h)
// of the string's bytes. The empty string is N = 1 and the stream byte 00.
#pragma once

#include <string>
#include <string_view>

class BinaryReader;
class BinaryWriter;

void writeCompressedString(BinaryWriter& stream, std::string_view text);

// A record with N = 0 reads as the empty string. Throws CodecError when the
// record runs past the end of the input or its stream is malformed.
std::string readCompressedString(BinaryReader& stream);
