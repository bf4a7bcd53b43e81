// Reads JSON text into a JsonValue, as project files and "content.dat.json"
// are loaded.
//
// A syntax error never stops a parse and never throws: each is reported once
// on standard error, in the words below, and the routine that met it returns
// Null, an empty string or array, or the object built so far; the enclosing
// routines carry on from the same place, so a damaged document still yields a
// partial tree. Messages have the form `<prefix><found>'\n`, where <found> is
// the offending byte or text, empty when the text has ended:
//
//   "ERROR: Parse: Unknown starting character '"
//   "ERROR: Parse: Nesting deeper than 256 levels, found '"
//   "Error: Object: Expected colon, found '"
//   "ERROR: Object: Expected comma, found '"
//   "ERROR: Array: Expected ',' or ']', found '"
//   "ERROR: String: Expected closing quote, found '"
//   "ERROR: String: Expected hex character in unicode escape, found '"
//   "ERROR: Number: Expected a number for exponent, found '"
//   "ERROR: Number: unexpected character '"
//   "ERROR: Number: Expected a number, found '"      (the collected text, e.g. "-" or "1.2.3")
//   "ERROR: Bool: Expected 'true' or 'false', found '"
//   "ERROR: Null: Expected 'null', found '"
//
// Numbers: a '.' makes a Floating, read as a double; otherwise an Integral,
// read as a 32-bit integer saturating at the ends of its range. An exponent
// ('e' or 'E', an optional '-', digits) multiplies by that power of ten and
// makes a Floating. The end of the text ends a number like a space does.
// Reading never depends on the process locale.
#pragma once

#include "project/JsonValue.h"

#include <string_view>

// Arrays and objects nested deeper than this are refused (the bound keeps the
// recursive reader's stack small on hostile input).
constexpr int maxJsonDepth = 256;

// Parses one value starting at the first byte; whatever follows it is ignored.
// `syntaxErrors`, when given, receives the number of errors reported.
JsonValue parseJson(std::string_view text, int* syntaxErrors = nullptr);
