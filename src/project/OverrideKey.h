// The key under which a group event overrides a member's variable: the member's
// name, ".", and the variable's name. It is compared with stored keys as if it
// were that string, without building it, so lookups every frame allocate nothing.
#pragma once

#include <string>
#include <string_view>

struct OverrideKey {
    std::string_view member;
    std::string_view variable;
};

// Byte-wise three-way comparison of `stored` with the key's string.
int compareOverrideKey(std::string_view stored, const OverrideKey& key);

inline bool operator<(const std::string& stored, const OverrideKey& key) { return compareOverrideKey(stored, key) < 0; }
inline bool operator<(const OverrideKey& key, const std::string& stored) { return compareOverrideKey(stored, key) > 0; }
