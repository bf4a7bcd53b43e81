#include "editor/windows/shadereditor/ShaderConstants.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool isNumberByte(char c) { return c == '-' || c == '.' || (c >= '0' && c <= '9'); }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Parses "@name=[min:max]" at `at` and marks the literals of `line` found so far.
void annotate(std::string_view source, size_t at, int32_t line, std::vector<NumberLiteral>& literals) {
    const size_t end = source.find('\n', at);
    const std::string text(source.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    char name[256] = "";
    char low[56] = "";
    char high[56] = "";
    const int parsed = std::sscanf(text.c_str(), "@%255[^=*\n ]=%*[[]%55[^:*\n ]:%55[^]*\n ]", name, low, high);
    const int fields = parsed < 0 ? 0 : parsed;
    std::printf("%i %s %s %s\n", fields, name, low, high);
    for (NumberLiteral& literal : literals) {
        if (literal.line != line)
            continue;
        literal.annotated = true;
        if (fields >= 1)
            literal.name = name;
        if (fields == 3) {
            literal.minVal = std::strtof(low, nullptr);
            literal.maxVal = std::strtof(high, nullptr);
        }
    }
}

} // namespace

std::vector<NumberLiteral> scanConstants(std::string_view source) {
    std::vector<NumberLiteral> literals;
    int32_t line = 0;
    bool inLineComment = false;
    bool inBlockComment = false;
    bool tokenOpen = false;
    size_t tokenStart = 0;
    for (size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\n') {
            ++line;
            inLineComment = false;
        }
        bool commentByte = inLineComment || inBlockComment;
        if (i > 0) {
            const char before = source[i - 1];
            if (!commentByte && c == '/' && before == '/')
                inLineComment = commentByte = true;
            else if (!commentByte && c == '*' && before == '/')
                inBlockComment = commentByte = true;
            else if (inBlockComment && c == '/' && before == '*')
                inBlockComment = false;
        }
        if (commentByte) {
            if (c == '@')
                annotate(source, i, line, literals);
            continue;
        }
        if (isNumberByte(c)) {
            if (!tokenOpen && !(i > 0 && isLetter(source[i - 1]))) {
                tokenOpen = true;
                tokenStart = i;
            }
            continue;
        }
        if (tokenOpen) {
            const std::string_view token = source.substr(tokenStart, i - tokenStart);
            if (token != "-")
                literals.push_back({static_cast<int32_t>(tokenStart),
                                    static_cast<int32_t>(i),
                                    line,
                                    false,
                                    1.0f,
                                    0.0f,
                                    std::string(token),
                                    {}});
            tokenOpen = false;
        }
    }
    return literals;
}

std::string constantText(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%0.3f", static_cast<double>(value));
    return text;
}
