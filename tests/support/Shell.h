// Running commands as a user types them, for the tests of the tool's commands.
#pragma once

#include <string>

struct Finished {
    int status = -1;
    std::string output; // standard output and error together
};

// Runs `command` through the shell and waits for it.
Finished runShell(const std::string& command);

// `text` quoted for the shell.
std::string quoted(const std::string& text);
