# Writes OUTPUT, a C++ source with the bytes of INPUT and the accessor ACCESSOR
# returning them; KIND is BYTES or TEXT. Run by embed_asset (EmbedAsset.cmake)
# as `cmake -P`.
file(READ ${INPUT} hex HEX)
if(hex STREQUAL "")
    # A zero-length array is not C++.
    message(FATAL_ERROR "Cannot embed the empty file ${INPUT}")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")

if(KIND STREQUAL "TEXT")
    set(include "string_view")
    set(type "std::string_view")
    set(value "{reinterpret_cast<const char*>(bytes), sizeof bytes}")
else()
    set(include "span")
    set(type "std::span<const uint8_t>")
    set(value "bytes")
endif()

get_filename_component(name ${INPUT} NAME)
file(WRITE ${OUTPUT} "// Generated from ${name} at build time; edit that file, not this one.
#include <cstdint>
#include <${include}>

namespace {

constexpr uint8_t bytes[] = {
${bytes}
};

} // namespace

${type} ${ACCESSOR}() { return ${value}; }
")
