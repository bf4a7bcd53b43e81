#include "project/ConsoleLog.h"

namespace {

std::FILE* logStream = stdout;

} // namespace

void logLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), logStream);
    std::fputc('\n', logStream);
    std::fflush(logStream);
}

void sendLogTo(std::FILE* stream) { logStream = stream; }
