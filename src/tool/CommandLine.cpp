#include "tool/CommandLine.h"

#include <algorithm>

namespace {

const OptionSpec* findSpec(const std::vector<OptionSpec>& specs, const std::string& name) {
    const auto found =
        std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& spec) { return spec.name == name; });
    return found == specs.end() ? nullptr : &*found;
}

bool looksLikeOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs) {
    ParsedCommandLine parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionSpec* spec = findSpec(specs, name);
        if (!spec) {
            parsed.error = "unrecognized option '" + name + "'";
            return parsed;
        }
        if (spec->valueName.empty()) {
            if (equals != std::string::npos) {
                parsed.error = "option '" + name + "' takes no value";
                return parsed;
            }
            parsed.options[name] = "";
        } else if (equals != std::string::npos) {
            parsed.options[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.options[name] = args[++i];
        } else {
            parsed.error = "option '" + name + "' requires a value (" + spec->valueName + ")";
            return parsed;
        }
    }
    return parsed;
}
