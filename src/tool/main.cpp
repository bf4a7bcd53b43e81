// quillfront-tool: scripted project conversions and player exports.
#include "project/ConsoleLog.h"
#include "tool/ToolCommands.h"

#include <iostream>

int main(int argc, char** argv) {
    sendLogTo(stderr); // standard output is for the commands' results
    return runTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
