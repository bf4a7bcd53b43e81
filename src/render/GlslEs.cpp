#include "render/GlslEs.h"

#include <vector>

namespace {

const char* const precisions = "precision highp float;\n"
                               "precision highp int;\n"
                               "precision highp sampler2D;\n"
                               "precision highp sampler3D;\n"
                               "precision highp samplerCube;\n"
                               "precision highp sampler2DArray;\n";

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// Whether `line` is the preprocessor directive `name`, blanks allowed around the '#'.
bool isDirective(std::string_view line, std::string_view name) {
    const size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string_view::npos || line[hash] != '#')
        return false;
    const size_t word = line.find_first_not_of(" \t", hash + 1);
    return word != std::string_view::npos && line.substr(word, name.size()) == name;
}

bool isBlankOrComment(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line.substr(first, 2) == "//";
}

} // namespace

std::string toGlslEs300(std::string_view source) {
    const std::vector<std::string_view> lines = linesOf(source);
    // The version line may follow blank and comment lines only.
    size_t next = 0;
    while (next < lines.size() && isBlankOrComment(lines[next]))
        ++next;
    const bool hasVersion = next < lines.size() && isDirective(lines[next], "version");
    std::string translated = "#version 300 es\n";
    size_t firstKept = 0;
    if (hasVersion) {
        // Lines before it are blank or comments: they need no keeping.
        firstKept = ++next;
        // Extensions must come before the precision statements.
        while (next < lines.size() && (isDirective(lines[next], "extension") || isBlankOrComment(lines[next])))
            translated.append(lines[next++]).append("\n");
        firstKept = next;
    }
    translated += precisions;
    translated += "#line " + std::to_string(firstKept + 1) + "\n";
    for (size_t i = firstKept; i < lines.size(); ++i)
        translated.append(lines[i]).append("\n");
    return translated;
}
