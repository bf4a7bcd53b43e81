#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

std::atomic<uint64_t> heapAllocations{0};

// Replaced for the whole program. GCC takes the free() of what this new returns
// for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++heapAllocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
