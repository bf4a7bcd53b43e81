// What the code editor colours as words of a language: keywords, known
// identifiers (types, built-in functions and variables), comment markers and
// the preprocessor's line prefix. Plain data: copy it, add keywords, install it.
#pragma once

#include <string>
#include <unordered_set>

struct LanguageDefinition {
    std::string name;
    std::unordered_set<std::string> keywords;
    std::unordered_set<std::string> identifiers; // built-in types, functions and variables
    std::string lineComment = "//";
    std::string blockCommentStart = "/*";
    std::string blockCommentEnd = "*/";
    char preprocessor = '#'; // a line whose first non-blank character this is

    // GLSL up to 4.60: its keywords, built-in functions and gl_ variables.
    static const LanguageDefinition& glsl();
};
