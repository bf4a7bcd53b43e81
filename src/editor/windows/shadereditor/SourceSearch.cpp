#include "editor/windows/shadereditor/SourceSearch.h"

#include <string>

namespace {

// The visual column of a byte of `line`, as the code editor counts it.
int visualColumn(const std::string& line, int32_t byteColumn) {
    int column = 0;
    for (int32_t i = 0; i < byteColumn && i < static_cast<int32_t>(line.size()); ++i)
        if (line[static_cast<size_t>(i)] == '\t')
            column += tabColumns;
        else if ((static_cast<unsigned char>(line[static_cast<size_t>(i)]) & 0xC0) != 0x80)
            ++column;
    return column;
}

} // namespace

std::vector<SearchMatch> findAll(const TextModel& text, std::string_view pattern) {
    std::vector<SearchMatch> matches;
    if (pattern.empty())
        return matches;
    for (int line = 0; line < text.lineCount() && matches.size() <= searchMatchLimit; ++line) {
        const std::string& content = text.lineText(line);
        for (size_t at = content.find(pattern); at != std::string::npos;
             at = content.find(pattern, at + pattern.size()))
            matches.push_back({line, static_cast<int32_t>(at)});
    }
    return matches;
}

std::optional<SearchMatch> matchAtOrAfter(const TextModel& text, const std::vector<SearchMatch>& matches,
                                          TextPosition position) {
    if (matches.empty())
        return std::nullopt;
    for (const SearchMatch& match : matches) {
        if (match.line > position.line)
            return match;
        if (match.line == position.line && visualColumn(text.lineText(match.line), match.column) >= position.column)
            return match;
    }
    return matches.front();
}

std::optional<SearchMatch> nextMatch(const TextModel& text, const std::vector<SearchMatch>& matches) {
    return matchAtOrAfter(text, matches, text.hasSelection() ? text.selectionEnd() : text.cursor());
}

void selectMatch(TextModel& text, SearchMatch match, size_t patternLength) {
    const std::string& line = text.lineText(match.line);
    const int start = visualColumn(line, match.column);
    const int end = visualColumn(line, match.column + static_cast<int32_t>(patternLength));
    text.setSelection({match.line, start}, {match.line, end});
}
