// A variable's curve: control points evaluated in one of three interpolation modes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Stored as a 32-bit integer; values other than these evaluate to 0.
enum InterpolationMode : int32_t {
    LastValue = 0, // "Last value"
    Linear = 1,    // "Linear"
    Smooth = 2,    // "Smooth", uniform Catmull-Rom
};

struct ControlPoint {
    float beat = 0.0f;  // relative to the owning event's start beat
    float value = 0.0f; // number variables
    std::string text;   // text variables
};

struct ControlPointList {
    std::vector<ControlPoint> points; // evaluated in stored order, never sorted behind the user's back
    int32_t mode = Linear;            // an InterpolationMode, or any value read from a file
    bool repeat = false;              // past the last point, wrap around to the first
};
