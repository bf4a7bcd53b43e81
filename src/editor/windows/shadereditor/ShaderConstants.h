// The number literals of a shader source that its comments annotate, for the
// Shader Editor's "Constants" panel: "vec3(1.0, 0.5, 0.25); // @tint=[0:1]"
// gives the three numbers of its line a slider each from 0 to 1, named "tint".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NumberLiteral {
    int32_t startOffset = 0; // bytes of the token in the source, end exclusive
    int32_t endOffset = 0;
    int32_t line = 0; // from 0; a number right before a line break counts on the next line
    bool annotated = false;
    float maxVal = 1.0f;
    float minVal = 0.0f;
    std::string tokenText;
    std::string name;
};

// One pass over the source: number tokens ('-', '.' and digits, not right after
// a letter) outside comments, and the annotations "@name=[min:max]" inside them,
// each of which marks the numbers already found on its line. Each annotation's
// parse is printed as "%i %s %s %s" (fields parsed, name, min, max).
std::vector<NumberLiteral> scanConstants(std::string_view source);

// "%0.3f" of `value`, as a slider writes it back.
std::string constantText(float value);
