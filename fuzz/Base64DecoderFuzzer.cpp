// Feeds arbitrary text to the base64 decoder, which may only refuse it with
// CodecError; what it accepts must encode and decode back to the same bytes,
// and so must the input bytes themselves.
#include "project/Base64.h"
#include "project/CodecError.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const std::vector<uint8_t> decoded = base64Decode(std::string_view(reinterpret_cast<const char*>(data), size));
        if (base64Decode(base64Encode(decoded)) != decoded)
            std::abort();
    } catch (const CodecError&) {
    }
    const std::vector<uint8_t> bytes(data, data + size);
    if (base64Decode(base64Encode(bytes)) != bytes)
        std::abort();
    return 0;
}
