// "controllers.json": the bindings of controls to variables, kept beside the
// project in the working folder so that the project's own files stay as
// players read them. A hand-edited or damaged file loses only the entries it
// spoils, each named in the problems.
//
//   {"osc_port": 9000, "osc_network": false,
//    "controllers": [
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
constexpr int defaultOscPort = 9000;

// What the file keeps: the bindings and where OSC is listened for.
struct ControllerSetup {
    std::vector<ControllerBinding> bindings;
    int oscPort = defaultOscPort; // 1 to 65535
    bool oscOnNetwork = false;    // listen on every address, not on 127.0.0.1 alone
};

std::string controllersJson(const ControllerSetup& setup);
// The setup `text` holds; why each part that could not be read was left out
// (and its default kept) goes to `problems`.
ControllerSetup readControllers(std::string_view text, std::vector<std::string>& problems);
