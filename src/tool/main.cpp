// quillfront-tool: scripted project conversions and player exports.
#include "tool/ToolCommands.h"

#include <iostream>

int main(int argc, char** argv) {
    return runTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
