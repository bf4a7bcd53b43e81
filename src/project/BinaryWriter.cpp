#include "project/BinaryWriter.h"

#include <cstring>

void BinaryWriter::writeU32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void BinaryWriter::writeU64(uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8)
        bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void BinaryWriter::writeF32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeU32(bits);
}

ObjectId BinaryWriter::tokenOf(const void* object) {
    if (!object)
        return ObjectId::Null;
    const auto [entry, added] = tokens_.try_emplace(object, ObjectId{tokens_.size() + 1});
    return entry->second;
}
