// What the code editor colours as words of a language: keywords, known
// identifiers (types, built-in functions and variables), comment markers and
// the preprocessor's line prefix. Plain data: copy it, add keywords, install it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

// Words looked up by string_view, with no string made for each.
struct WordHash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
};
using WordSet = std::unordered_set<std::string, WordHash, std::equal_to<>>;

struct LanguageDefinition {
    std::string name;
    WordSet keywords;
    WordSet identifiers; // built-in types, functions and variables
    std::string lineComment = "//";
    std::string blockCommentStart = "/*";
    std::string blockCommentEnd = "*/";
    char preprocessor = '#'; // a line whose first non-blank character this is

    // GLSL up to 4.60: its keywords, built-in functions and gl_ variables.
    static const LanguageDefinition& glsl();
};
