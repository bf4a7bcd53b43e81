// The editor's status line: the last message of a command, shown for a while.
#pragma once

#include <cstdint>
#include <string>

struct StatusLine {
    std::string text;
    uint32_t time = 0; // SDL ticks when the message was set

    void set(std::string message);
};
