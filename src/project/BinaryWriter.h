// Appends the fields of binary project records to a memory buffer: integers and
// floats little-endian, counts and sizes as u64, flags as one byte, references
// as 8-byte ObjectIds numbered in the order the objects are first given a
// token (1, 2, 3, ...), so the same project always writes the same bytes. Whole files are written from the buffer
// afterwards (writeWholeFile), so a failed save never leaves half a record on disk.
#pragma once

#include "project/ObjectId.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

class BinaryWriter {
public:
    BinaryWriter() = default;
    // Continues after `prefix`, e.g. an executable image that a player's project follows.
    explicit BinaryWriter(std::vector<uint8_t> prefix) : bytes_(std::move(prefix)) {}

    void writeU8(uint8_t value) { bytes_.push_back(value); }
    void writeFlag(bool value) { bytes_.push_back(value ? 1 : 0); }
    void writeU32(uint32_t value);
    void writeI32(int32_t value) { writeU32(static_cast<uint32_t>(value)); }
    void writeU64(uint64_t value);
    void writeF32(float value);
    void writeCount(size_t count) { writeU64(count); }
    void writeObjectId(ObjectId id) { writeU64(static_cast<uint64_t>(id)); }
    // Writes the token of `object`, or the null token for a null reference.
    void writeReference(const void* object) { writeObjectId(tokenOf(object)); }
    // The token of `object`, given the next free number when it has none yet.
    ObjectId tokenOf(const void* object);
    void writeBytes(std::span<const uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> takeBytes() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
    std::unordered_map<const void*, ObjectId> tokens_;
};
