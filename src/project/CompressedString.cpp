#include "project/CompressedString.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/Lz77Codec.h"

void writeCompressedString(BinaryWriter& stream, std::string_view text) {
    const std::vector<uint8_t> compressed = lz77Compress(text);
    stream.writeU64(compressed.size());
    stream.writeBytes(compressed);
}

std::string readCompressedString(BinaryReader& stream) {
    const std::span<const uint8_t> compressed = stream.readBytes(stream.readU64());
    stream.spendDecodedBytes(lz77DeclaredLength(compressed));
    return lz77Decompress(compressed);
}
