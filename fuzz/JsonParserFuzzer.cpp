// Feeds arbitrary text to the JSON parser. Besides crashes, hangs and leaks it
// checks that whatever tree the parser returns is written as text that reads
// back to the same text, which exercises the writer and its escaping too.
#include "project/JsonParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const JsonValue value = parseJson(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string text = value.serialize(1, "  ");
    if (parseJson(text).serialize(1, "  ") != text)
        std::abort();
    return 0;
}
