// Shader programs for tests: fragment shaders that fill the window with one colour.
#pragma once

#include "project/ShaderProgram.h"

#include <memory>
#include <string>

// A fragment shader filling the window with `colour`, a GLSL vec4 expression that
// may use the float uniform `uniform` when one is named.
inline std::string constantShader(const std::string& colour, const char* uniform = nullptr) {
    std::string source = "#version 150\n";
    if (uniform)
        source += std::string("uniform float ") + uniform + ";\n";
    return source + "out vec4 c;\nvoid main() { c = " + colour + "; }\n";
}

// A program of the built-in vertex shader and `fragment` as its fragment shader.
inline std::unique_ptr<ShaderProgram> makeProgram(const std::string& fragment) {
    return std::make_unique<ShaderProgram>(fragment);
}
