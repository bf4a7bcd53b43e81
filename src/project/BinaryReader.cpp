#include "project/BinaryReader.h"

#include "project/CodecError.h"

#include <cassert>
#include <cstring>

uint8_t BinaryReader::readU8() { return readBytes(1)[0]; }

uint32_t BinaryReader::readU32() {
    const std::span<const uint8_t> bytes = readBytes(4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[static_cast<size_t>(i)];
    return value;
}

uint64_t BinaryReader::readU64() {
    const std::span<const uint8_t> bytes = readBytes(8);
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | bytes[static_cast<size_t>(i)];
    return value;
}

float BinaryReader::readF32() {
    const uint32_t bits = readU32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint64_t BinaryReader::readCount(size_t minItemBytes) {
    assert(minItemBytes > 0);
    const uint64_t count = readU64();
    if (count > remaining() / minItemBytes)
        throw CodecError(CodecErrorKind::TruncatedData);
    return count;
}

std::span<const uint8_t> BinaryReader::readBytes(uint64_t count) {
    if (count > remaining())
        throw CodecError(CodecErrorKind::TruncatedData);
    const std::span<const uint8_t> bytes = bytes_.subspan(position_, static_cast<size_t>(count));
    position_ += static_cast<size_t>(count);
    return bytes;
}

void BinaryReader::spendDecodedBytes(uint64_t count) {
    if (count > decodedBytesLeft_)
        throw CodecError(CodecErrorKind::TooLarge);
    decodedBytesLeft_ -= count;
}
