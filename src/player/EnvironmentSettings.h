// Settings the desktop programs take from the environment, for tests and
// screenshots.
#pragma once

#include <optional>

// Past this beat the end-of-demo rule is off: the editor's beat field can jump far ahead.
constexpr float endRuleBeatLimit = 10000.0f;

// A number from the environment variable `name`, within [lowest, highest];
// none when it is unset or anything else.
std::optional<double> numberFromEnvironment(const char* name, double lowest, double highest);

// The desktop players' counterpart of the web page's "?beat=N&paused=1":
// QUILLFRONT_HOLD_BEAT=N asks for beat N, shown and held there.
std::optional<float> heldBeatFromEnvironment();
