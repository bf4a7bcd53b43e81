#include "support/Shell.h"

#include <sys/wait.h>

#include <cstdio>

Finished runShell(const std::string& command) {
    Finished finished;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
        finished.output.append(buffer, read);
    const int status = pclose(pipe);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}
