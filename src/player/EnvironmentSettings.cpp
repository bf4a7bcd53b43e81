#include "player/EnvironmentSettings.h"

#include "project/NumberText.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

std::optional<double> numberFromEnvironment(const char* name, double lowest, double highest) {
    const char* text = std::getenv(name);
    if (!text)
        return std::nullopt;
    const std::string_view digits(text);
    double value = 0.0;
    const auto read = parseDouble(digits.data(), digits.data() + digits.size(), value);
    if (read.ec != std::errc() || read.ptr != digits.data() + digits.size() || !(value >= lowest && value <= highest))
        return std::nullopt;
    return value;
}

std::optional<float> heldBeatFromEnvironment() {
    const std::optional<double> beat =
        numberFromEnvironment("QUILLFRONT_HOLD_BEAT", -endRuleBeatLimit, endRuleBeatLimit);
    if (!beat)
        return std::nullopt;
    return static_cast<float>(*beat);
}
