// Feeds arbitrary bytes to the binary project reader.
#include "ProjectFuzzing.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareProjectFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    loadAndRewrite([&] { return readBinaryProject({data, size}); });
    return 0;
}
