// A project with every kind of object and reference, built in code without GL
// (data-only mode): three effect events, an audio-sample event, a group event,
// a group, self and mutual input effects, fonts and font textures, number and
// text curves, names with bytes the JSON writer escapes.
#pragma once

#include "project/Demo.h"

#include <memory>

std::unique_ptr<Demo> buildRichProject();

// Turns GL, images, fonts and sounds off for the life of the object.
class DataOnlyMode {
public:
    DataOnlyMode();
    ~DataOnlyMode();
    DataOnlyMode(const DataOnlyMode&) = delete;
    DataOnlyMode& operator=(const DataOnlyMode&) = delete;
};
