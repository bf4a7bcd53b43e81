// What the program asks of the operating system beyond SDL. One source file per
// platform implements it; CMake picks the one for the build's system.
#pragma once

// A path that opens the image of the running executable, for reading the project
// appended to it and for copying it into a standalone player.
const char* runningExecutablePath();
