// Colours a line of source for the code editor, byte by byte, with a hand-made
// scanner: no regular expressions, and only the line itself and whether it
// starts inside a block comment are needed, so an edit colours again only the
// lines it touched (and those after while a block comment's extent changes).
#pragma once

#include "codeeditor/LanguageDefinition.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class TokenColour : uint8_t {
    text,
    keyword,
    number,
    string,
    punctuation,
    preprocessor,
    identifier,
    knownIdentifier,
    comment,
    blockComment,
};
constexpr int tokenColourCount = 10;

// Fills `colours` with one TokenColour per byte of `line`. Returns whether the
// line ends inside a block comment.
bool colourLine(std::string_view line, bool startsInBlockComment, const LanguageDefinition& language,
                std::vector<uint8_t>& colours);

// What colourLine returns, found without colouring: only comment markers and
// strings are looked at. Many times faster, for the lines between an edit and
// the lines in sight.
bool endsInBlockComment(std::string_view line, bool startsInBlockComment, const LanguageDefinition& language);
