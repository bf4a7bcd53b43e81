#include "editor/windows/shadereditor/CompileLog.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

// The 1-based line a log line names, in any of the three forms.
std::optional<int> namedLine(const std::string& logLine) {
    int file = 0;
    int line = 0;
    int column = 0;
    char after = 0;
    if (std::sscanf(logLine.c_str(), "%d:%d(%d)%c", &file, &line, &column, &after) == 4 && after == ':')
        return line; // Mesa
    if (std::sscanf(logLine.c_str(), "%d(%d) %c", &file, &line, &after) == 3 && after == ':')
        return line; // NVIDIA
    if (std::sscanf(logLine.c_str(), "ERROR: %d:%d%c", &file, &line, &after) == 3 && after == ':')
        return line; // AMD, Intel
    if (std::sscanf(logLine.c_str(), "WARNING: %d:%d%c", &file, &line, &after) == 3 && after == ':')
        return line;
    return std::nullopt;
}

} // namespace

std::map<int, std::string> errorLines(std::string_view log, int linesBeforeSource, int sourceLines) {
    std::map<int, std::string> marks;
    size_t start = 0;
    while (start < log.size()) {
        const size_t end = log.find('\n', start);
        const std::string logLine(
            log.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end == std::string_view::npos ? log.size() : end + 1;
        const std::optional<int> named = namedLine(logLine);
        if (!named)
            continue;
        const int line = *named - 1 - linesBeforeSource;
        if (line < 0 || line >= sourceLines)
            continue;
        std::string& message = marks[line];
        if (!message.empty())
            message += '\n';
        message += logLine;
    }
    return marks;
}
