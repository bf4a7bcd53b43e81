// The GL side of a shader program: its shader and program objects, the last
// compile log, and the locations of the uniforms every render pass sets.
//
// A program that did not link has all locations -1 and is not drawn with. A
// rebuild whose sources do not compile keeps the last linked executable.
#pragma once

#include "project/ShaderProgram.h"

#include <cstdint>
#include <string>
#include <vector>

// Locations of the uniforms set by the render pass; -1 when the program lacks them.
struct BuiltinUniformLocations {
    int32_t beat = -1;
    int32_t sound = -1;
    int32_t tex[samplerUnitCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int32_t resolution = -1;
    int32_t cameraPosition = -1;
    int32_t cameraRotation = -1;
    int32_t soundTexture = -1;
    int32_t vp = -1; // the quad's position attribute
};

class CompiledProgram {
public:
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
    uint32_t programObject = 0;
    bool linked = false;    // the last link succeeded
    std::string compileLog; // shown in the shader editor
    BuiltinUniformLocations builtins;
    std::vector<int32_t> uniformLocations; // one per uniform definition, -1 when inactive

    CompiledProgram() = default;
    ~CompiledProgram();
    CompiledProgram(const CompiledProgram&) = delete;
    CompiledProgram& operator=(const CompiledProgram&) = delete;

    // Compiles and links `program`'s sources: into new GL objects the first time,
    // into the same shader and program objects afterwards.
    void build(const ShaderProgram& program);
    // Sets every located author uniform of the program in use to its default.
    void setUniformDefaults(const ShaderProgram& program) const;
    // Compiles `program`'s sources for their log without linking: the program
    // draws on as last linked.
    void compileForLog(const ShaderProgram& program) { compileShaders(program); }
    // Locates the uniforms again when `program`'s definitions are no longer
    // those last located (one added, renamed or deleted): no compile needed.
    void followUniformDefs(const ShaderProgram& program);

private:
    // Whether both compiled.
    bool compileShaders(const ShaderProgram& program);
    // Whether the shader compiled.
    bool recordCompileLog(uint32_t shader);
    void link(const ShaderProgram& program);
    void locateUniforms(const ShaderProgram& program);

    // The log of each shader's last failed compile, to tell a left-over log from a new one.
    std::string vertexFailureLog_;
    std::string fragmentFailureLog_;
    std::vector<std::string> locatedNames_; // the definitions' names uniformLocations follow
};
