// The editor's status line: the last message of a command, shown for a while.
#pragma once

#include <cstdint>
#include <string>

extern std::string statusText;
extern uint32_t statusTime; // SDL ticks when the message was set

void setStatus(std::string text);
