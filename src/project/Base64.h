// Base64 text of embedded files in the JSON project form.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Standard alphabet ('+', '/'), '=' padding to a multiple of four, no line breaks.
std::string base64Encode(std::span<const uint8_t> bytes);

// Reads groups of four characters, the last possibly of two or three without
// padding. Besides the standard alphabet it takes the URL-safe '-' and '_' for
// '+' and '/', and '.' as well as '=' for padding, which may only be the third
// or fourth character of a group and may not be followed by a data character
// in it. Anything else (a line break included), or a last group of a single
// character, throws CodecError (InvalidBase64).
std::vector<uint8_t> base64Decode(std::string_view text);
