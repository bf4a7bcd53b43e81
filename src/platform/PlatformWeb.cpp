// The platform layer of the WebAssembly builds: a page or a Node.js process
// has no executable file of its own and cannot start programs.
#include "platform/Platform.h"

const char* runningExecutablePath() { return ""; }

ChildProcess startProcess(const std::vector<std::string>&, bool, std::string& problem) {
    problem = "starting programs is not possible in the WebAssembly build";
    return {};
}

int waitForProcess(ChildProcess&) { return -1; }
