// The lines the program prints as it works: the files it reads, shaders that
// fail to compile, resources it cannot use. They go to standard output, where
// the desktop program has always printed them; the command-line programs, whose
// standard output carries their results, send them to standard error.
#pragma once

#include <cstdio>
#include <string_view>

// Prints `line` and a line break, and flushes, so the lines keep their order
// with whatever else the process prints.
void logLine(std::string_view line);
void sendLogTo(std::FILE* stream);
