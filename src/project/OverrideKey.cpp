#include "project/OverrideKey.h"

namespace {

// The key's byte at `index`, reading across the member name, the dot and the variable.
unsigned char keyByte(const OverrideKey& key, size_t index) {
    if (index < key.member.size())
        return static_cast<unsigned char>(key.member[index]);
    if (index == key.member.size())
        return '.';
    return static_cast<unsigned char>(key.variable[index - key.member.size() - 1]);
}

} // namespace

int compareOverrideKey(std::string_view stored, const OverrideKey& key) {
    const size_t keySize = key.member.size() + 1 + key.variable.size();
    const size_t common = std::min(stored.size(), keySize);
    for (size_t i = 0; i < common; ++i) {
        const auto storedByte = static_cast<unsigned char>(stored[i]);
        const unsigned char keyByteAt = keyByte(key, i);
        if (storedByte != keyByteAt)
            return storedByte < keyByteAt ? -1 : 1;
    }
    if (stored.size() == keySize)
        return 0;
    return stored.size() < keySize ? -1 : 1;
}
