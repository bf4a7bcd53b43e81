// A project with every kind of object and reference, built in code without GL
// (data only): three effect events, an audio-sample event, a group event,
// a group, self and mutual input effects, fonts and font textures, number and
// text curves, names with bytes the JSON writer escapes.
#pragma once

#include "project/Demo.h"

#include <memory>

std::unique_ptr<Demo> buildRichProject();
