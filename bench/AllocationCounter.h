// Counts the program's heap allocations through operator new, for benchmarks.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<uint64_t> heapAllocations;
