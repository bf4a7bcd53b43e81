// The identity token that stands for an object, and for every reference to it,
// in the binary project form: 8 bytes, unique within one file, 0 for null.
//
// Tokens are opaque. A reader maps them to the objects it has built through a
// table and never turns one into an address: a token that no object in the
// file bears resolves to null. Writers number the objects of a file in save
// order (BinaryWriter::tokenOf); files whose tokens are addresses load the same.
#pragma once

#include <cstdint>

enum class ObjectId : uint64_t { Null = 0 };
