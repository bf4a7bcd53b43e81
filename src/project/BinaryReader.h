// Reads the fields of binary project records from memory, in the layout that
// BinaryWriter produces. The reader knows how many bytes remain, so every
// count and size is checked against the input before anything is allocated:
// a short or damaged file raises CodecError (TruncatedData) instead of reading
// past its end or asking for an absurd allocation.
#pragma once

#include "project/ObjectId.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Far beyond the text of any real project (its images and sounds are not
// compressed strings), and at most the cap of one string.
constexpr uint64_t maxDecodedBytes = uint64_t{256} << 20;

class BinaryReader {
public:
    explicit BinaryReader(std::span<const uint8_t> bytes, uint64_t decodedBudget = maxDecodedBytes)
        : bytes_(bytes), decodedBytesLeft_(decodedBudget) {}

    size_t position() const { return position_; }
    size_t remaining() const { return bytes_.size() - position_; }

    uint8_t readU8();
    // Any byte other than 0 reads as true.
    bool readFlag() { return readU8() != 0; }
    uint32_t readU32();
    int32_t readI32() { return static_cast<int32_t>(readU32()); }
    uint64_t readU64();
    float readF32();
    ObjectId readObjectId() { return ObjectId{readU64()}; }
    // A u64 count of items each taking at least `minItemBytes` of the input;
    // refused when the remaining input cannot hold that many.
    uint64_t readCount(size_t minItemBytes);
    // The next `count` bytes, viewed in place.
    std::span<const uint8_t> readBytes(uint64_t count);
    // Accounts for `count` bytes a compressed string will decode to. A few bytes
    // of a damaged file may declare hundreds of megabytes: the strings of one
    // read may together decode to no more than the budget.
    void spendDecodedBytes(uint64_t count);

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
    uint64_t decodedBytesLeft_;
};
