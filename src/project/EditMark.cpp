#include "project/EditMark.h"

#include <atomic>

uint64_t EditMark::nextValue() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}
