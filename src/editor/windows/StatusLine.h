// The editor's status line: the last message of a command, shown for a while.
// It reads the shell's clock, so a test that moves the clock sees it go.
#pragma once

#include "composition/TickSource.h"

#include <cstdint>
#include <string>

struct StatusLine {
    static constexpr uint32_t shownMs = 2000;

    const TickSource& ticks; // the shell clock's tick source, read at each use
    std::string text;
    uint32_t time = 0; // ticks when the message was set

    explicit StatusLine(const TickSource& clockTicks) : ticks(clockTicks) {}

    void set(std::string message);
    // Whether the message is still to be shown.
    bool shown() const;
};
