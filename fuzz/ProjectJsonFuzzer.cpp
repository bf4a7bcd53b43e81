// Feeds arbitrary text to the JSON project loader.
#include "ProjectFuzzing.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareProjectFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    loadAndRewrite([&] { return readJsonProject(text); });
    return 0;
}
