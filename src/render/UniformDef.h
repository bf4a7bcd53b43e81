// One author-declared float uniform of a fragment shader, with the range the
// editor offers and the value used when no automation drives it.
#pragma once

#include <cstdint>
#include <string>

class UniformDef {
public:
    std::string name;        // GLSL uniform name
    float minVal = 0.0f;     // lower end of the editor's range
    float maxVal = 1.0f;     // upper end of the editor's range
    float defaultVal = 0.0f; // value when no automation applies
    int32_t location = -1;   // -1 until located, or when the program has no such active uniform
};
