// Small builders shared by the render tests.
#pragma once

#include "render/GlTexture.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"

#include <memory>
#include <string>

// A built program with the built-in vertex shader and `fragment` as its fragment shader.
inline std::unique_ptr<ShaderProgram> makeProgram(const std::string& fragment) {
    auto program = std::make_unique<ShaderProgram>();
    program->fragmentShaderSource = fragment;
    program->relinkProgram();
    return program;
}

// A one-texel texture of one colour.
inline std::unique_ptr<Texture> solidTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    auto texture = std::make_unique<Texture>();
    const uint8_t texel[4] = {r, g, b, a};
    texture->glTexture = createRgbaTexture(1, 1, texel, wrapClamp);
    texture->width = 1;
    texture->height = 1;
    return texture;
}

// A fragment shader that fills the window with `colour`, a GLSL vec4 expression.
inline std::string constantShader(const std::string& colour) {
    return "#version 150\nout vec4 c;\nvoid main() { c = " + colour + "; }\n";
}
