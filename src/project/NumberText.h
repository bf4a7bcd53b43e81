// Floating-point numbers to and from text in no locale, byte for byte as the
// C library's "%.6f" and strtod give them. Built on fast_float and {fmt}
// (header-only) rather than the standard library's floating-point charconv,
// which not every standard library we build with provides.
#pragma once

#include <charconv>
#include <string>

// The longest number at `first` in std::chars_format::general form (no leading
// '+' or blanks), as std::from_chars reads it, except that a number beyond the
// range of doubles gives infinity and one below it zero, with the sign, as
// strtod does, instead of an error.
std::from_chars_result parseDouble(const char* first, const char* last, double& value);

// Appends `number` with six digits after the point, rounded as "%.6f" rounds.
// `number` must be finite.
void appendFixed6(std::string& out, double number);
