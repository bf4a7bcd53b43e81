// The fatal-error exit, for required files that are missing or a player whose
// project is damaged: the message goes to "crash.txt" in the working directory
// and to standard error, a message box shows it where the system has one, and
// the process ends with status 1.
#pragma once

[[noreturn]] void fatal(const char* message);
