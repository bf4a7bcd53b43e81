// The Shader Editor's search over the code editor's text: every occurrence of
// a pattern (up to the line where the 101st is found), and the match at or
// after a place, wrapping to the first.
#pragma once

#include "codeeditor/TextModel.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct SearchMatch {
    int32_t line = 0;
    int32_t column = 0; // byte
    bool operator==(const SearchMatch&) const = default;
};

// Collecting stops before a line once more than this many matches are found.
constexpr size_t searchMatchLimit = 100;

// Non-overlapping occurrences of `pattern`, line by line; none for an empty pattern.
std::vector<SearchMatch> findAll(const TextModel& text, std::string_view pattern);

// The first match at or after `position` (on its line, or on a later one),
// else the first of all; none when there are no matches.
std::optional<SearchMatch> matchAtOrAfter(const TextModel& text, const std::vector<SearchMatch>& matches,
                                          TextPosition position);

// The match Find Next goes to: the first at or after the end of the selection
// (the match found last), or the cursor when nothing is selected, wrapping.
std::optional<SearchMatch> nextMatch(const TextModel& text, const std::vector<SearchMatch>& matches);

// Selects the match in the editor's text: from it to its end.
void selectMatch(TextModel& text, SearchMatch match, size_t patternLength);
