#include "project/NumberText.h"

#include <fast_float/fast_float.h>
#define FMT_HEADER_ONLY
#include <fmt/format.h>

#include <iterator>

std::from_chars_result parseDouble(const char* first, const char* last, double& value) {
    const fast_float::from_chars_result result = fast_float::from_chars(first, last, value);
    return {result.ptr, result.ec};
}

void appendFixed6(std::string& out, double number) { fmt::format_to(std::back_inserter(out), "{:.6f}", number); }
