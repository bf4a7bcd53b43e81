// The fatal-error exit, for required files that are missing: the message goes to
// "crash.txt" in the working directory and the process ends with status 1.
#pragma once

[[noreturn]] void fatal(const char* message);
