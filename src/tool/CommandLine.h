// Command lines as users of GNU tools expect them: options may come before,
// between or after the operands, as "--name VALUE" or "--name=VALUE"; "--" ends
// the options, so an operand may start with "-".
#pragma once

#include <map>
#include <string>
#include <vector>

struct OptionSpec {
    std::string name;      // with its dashes, e.g. "--player"
    std::string valueName; // e.g. "PATH"; empty for an option that takes no value
    std::string help;
};

struct ParsedCommandLine {
    std::vector<std::string> operands;
    std::map<std::string, std::string> options; // by name; "" for options without a value
    std::string error;                          // why the line is not usable; empty when it is
};

// Splits `args` by `specs`. An option `specs` does not name, or one that lacks its
// value, is an error.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs);
