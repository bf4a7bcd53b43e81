// What the program asks of the operating system beyond SDL. One source file per
// platform implements it; CMake picks the one for the build's system.
#pragma once

#include <string>
#include <vector>

// A path that opens the image of the running executable, for reading the project
// appended to it and for copying it into a standalone player.
const char* runningExecutablePath();

// A program started by this one.
struct ChildProcess {
    int id = -1;
    int input = -1; // the write end of a pipe to its standard input, or -1
};

// Starts the program `argv[0]` (looked up on the PATH when it names no folder)
// with the arguments `argv`; with `pipeInput`, its standard input is a pipe that
// this process writes to. On failure the id is -1 and `problem` says why.
ChildProcess startProcess(const std::vector<std::string>& argv, bool pipeInput, std::string& problem);
// Closes the process's input pipe, waits for it to end and returns its exit
// status; 128 + the signal's number when a signal ended it.
int waitForProcess(ChildProcess& process);
