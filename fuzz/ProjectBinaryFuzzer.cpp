// Feeds arbitrary bytes to the binary project reader. Its strings may decode to
// 1 MiB together rather than 256: rewriting hundreds of megabytes of text per
// input would only slow the search down.
#include "ProjectFuzzing.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareProjectFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    loadAndRewrite([&] { return readBinaryProject({data, size}, {}, uint64_t{1} << 20); });
    return 0;
}
