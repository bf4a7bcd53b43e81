#include "codeeditor/SyntaxColouring.h"

#include <algorithm>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWordStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isWordPart(char c) { return isWordStart(c) || isDigit(c); }

bool startsWith(std::string_view line, size_t at, const std::string& marker) {
    return !marker.empty() && line[at] == marker[0] && line.substr(at, marker.size()) == marker;
}

// A number's end: digits, a fraction, an exponent with its sign, hex digits and suffixes.
size_t numberEnd(std::string_view line, size_t at) {
    size_t end = at;
    while (end < line.size()) {
        const char c = line[end];
        const bool exponentSign = (c == '+' || c == '-') && end > at &&
                                  (line[end - 1] == 'e' || line[end - 1] == 'E') &&
                                  !(line.size() > at + 1 && (line[at + 1] == 'x' || line[at + 1] == 'X'));
        if (!isWordPart(c) && c != '.' && !exponentSign)
            break;
        ++end;
    }
    return end;
}

size_t stringEnd(std::string_view line, size_t at) {
    size_t end = at + 1;
    while (end < line.size() && line[end] != '"')
        end += line[end] == '\\' ? 2 : 1;
    return std::min(end + 1, line.size());
}

// A line whose first non-blank character is the preprocessor's: all of it but
// its comments is the preprocessor's.
bool isPreprocessorLine(std::string_view line, const LanguageDefinition& language) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first != std::string_view::npos && line[first] == language.preprocessor;
}

TokenColour wordColour(std::string_view word, const LanguageDefinition& language) {
    if (language.keywords.contains(word))
        return TokenColour::keyword;
    if (language.identifiers.contains(word))
        return TokenColour::knownIdentifier;
    return TokenColour::identifier;
}

} // namespace

bool colourLine(std::string_view line, bool startsInBlockComment, const LanguageDefinition& language,
                std::vector<uint8_t>& colours) {
    colours.assign(line.size(), static_cast<uint8_t>(TokenColour::text));
    const auto paint = [&](size_t from, size_t to, TokenColour colour) {
        std::fill(colours.begin() + static_cast<std::ptrdiff_t>(from),
                  colours.begin() + static_cast<std::ptrdiff_t>(to), static_cast<uint8_t>(colour));
    };
    bool inBlockComment = startsInBlockComment;
    const bool preprocessorLine = isPreprocessorLine(line, language);
    size_t at = 0;
    while (at < line.size()) {
        if (inBlockComment) {
            const size_t close = line.find(language.blockCommentEnd, at);
            const size_t end = close == std::string_view::npos ? line.size() : close + language.blockCommentEnd.size();
            paint(at, end, TokenColour::blockComment);
            inBlockComment = close == std::string_view::npos;
            at = end;
            continue;
        }
        const char c = line[at];
        if (startsWith(line, at, language.lineComment)) {
            paint(at, line.size(), TokenColour::comment);
            break;
        }
        if (startsWith(line, at, language.blockCommentStart)) {
            paint(at, at + language.blockCommentStart.size(), TokenColour::blockComment);
            at += language.blockCommentStart.size();
            inBlockComment = true;
            continue;
        }
        if (isSpace(c)) {
            ++at;
            continue;
        }
        size_t end = at + 1;
        TokenColour colour = TokenColour::punctuation;
        if (preprocessorLine) {
            colour = TokenColour::preprocessor;
        } else if (c == '"') {
            end = stringEnd(line, at);
            colour = TokenColour::string;
        } else if (isDigit(c) || (c == '.' && at + 1 < line.size() && isDigit(line[at + 1]))) {
            end = numberEnd(line, at);
            colour = TokenColour::number;
        } else if (isWordStart(c)) {
            while (end < line.size() && isWordPart(line[end]))
                ++end;
            colour = wordColour(line.substr(at, end - at), language);
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            colour = TokenColour::text;
        }
        paint(at, end, colour);
        at = end;
    }
    return inBlockComment;
}

bool endsInBlockComment(std::string_view line, bool startsInBlockComment, const LanguageDefinition& language) {
    // Strings are not strings on a preprocessor line: there the markers count everywhere.
    const bool preprocessorLine = isPreprocessorLine(line, language);
    bool inBlockComment = startsInBlockComment;
    size_t at = 0;
    while (at < line.size()) {
        if (inBlockComment) {
            const size_t close = line.find(language.blockCommentEnd, at);
            if (close == std::string_view::npos)
                return true;
            at = close + language.blockCommentEnd.size();
            inBlockComment = false;
            continue;
        }
        if (startsWith(line, at, language.lineComment))
            return false;
        if (startsWith(line, at, language.blockCommentStart)) {
            at += language.blockCommentStart.size();
            inBlockComment = true;
        } else if (line[at] == '"' && !preprocessorLine) {
            at = stringEnd(line, at);
        } else {
            ++at;
        }
    }
    return inBlockComment;
}
