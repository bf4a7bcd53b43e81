// Reads the lines a GL driver's compile log points at, so the code editor can
// mark them: Mesa's "0:12(3): error: ...", NVIDIA's "0(12) : error C1008: ..."
// and AMD's and Intel's "ERROR: 0:12: ...".
#pragma once

#include <map>
#include <string>
#include <string_view>

// The messages of `log` by source line (from 0), lines the program put before
// the source taken off; messages for one line joined by line breaks. Lines the
// log names outside the source, and lines it does not read, are left out.
std::map<int, std::string> errorLines(std::string_view log, int linesBeforeSource, int sourceLines);
