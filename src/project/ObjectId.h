// The identity token that stands for an object, and for every reference to it,
// in the binary project form: 8 bytes, unique within one file, 0 for null.
//
// Tokens are opaque. A reader maps them to the objects it has built through a
// table and never turns one into an address: a token that no object in the
// file bears resolves to null.
#pragma once

#include <cstdint>

enum class ObjectId : uint64_t { Null = 0 };

// The token a save writes for `object`: its address, which is unique among the
// live objects and never 0 for an existing one.
inline ObjectId objectIdOf(const void* object) { return ObjectId{reinterpret_cast<uintptr_t>(object)}; }
