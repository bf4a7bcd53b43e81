// "controllers.json": the bindings of controls to variables, kept beside the
// project in the working folder so that the project's own files stay as
// players read them. A hand-edited or damaged file loses only the entries it
// spoils, each named in the problems.
//
//   {"controllers": [
//     {"control": "cc", "channel": 1, "number": 7, "event": "Sky", "variable": "glow"},
//     {"control": "osc", "address": "/fader1", "low": 0, "high": 1, "event": "Sky", "variable": "speed"}]}
//
// "control" is "cc", "bend", "note" or "osc"; MIDI channels count from 1.
#pragma once

#include "editor/controllers/ControllerBinding.h"

#include <string>
#include <string_view>
#include <vector>

constexpr const char* controllersFileName = "controllers.json";

std::string controllersJson(const std::vector<ControllerBinding>& bindings);
// The bindings `text` holds; why each entry that could not be read was left out
// goes to `problems`.
std::vector<ControllerBinding> readControllers(std::string_view text, std::vector<std::string>& problems);
