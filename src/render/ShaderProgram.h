// A GLSL program: a vertex and a fragment shader kept as text with the files they
// are saved to, the author's uniform declarations, the last compile log, and the
// locations of the uniforms every render pass sets.
//
// Compile failures are known only from a non-empty info log. A program that did
// not link has all locations -1 and is not drawn with.
#pragma once

#include "project/ISerializable.h"
#include "render/UniformDef.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Sampler uniforms exist for texture units 0 to 15: "tex", then "tex1" to "tex15".
constexpr int samplerUnitCount = 16;

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

// Passes the full-screen quad's clip-space position through.
extern const char* const builtinVertexSource;

class ShaderProgram : public ISerializable {
public:
    std::string vertexShaderSource;
    std::string fragmentShaderSource;
    std::string vertexShaderFilename = "resources/default.vert";
    std::string fragmentShaderFilename = "resources/untitled.frag"; // also the program's reference name
    std::vector<std::unique_ptr<UniformDef>> uniformDefs;
    std::string compileLog; // shown in the shader editor
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
    uint32_t programObject = 0;
    bool linked = false; // the last link succeeded
    BuiltinUniformLocations builtins;

    // The built-in vertex source and an empty fragment shader, built.
    ShaderProgram();
    // Read from a project, then built.
    explicit ShaderProgram(const JsonValue& value);
    explicit ShaderProgram(BinaryReader& stream);

    // With `projectForm` both sources are first written to their files and the
    // object keeps only the file names; otherwise the sources are inline.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // Inline sources when the object has "fragment_shader_source", else both
    // files; then builds.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;

    // Reads both sources from their files; a missing file gives an empty source.
    void loadSourcesFromFiles();
    // Creates the GL objects on first use, compiles and links.
    void build();
    void compileShaders();
    void recordCompileLog(uint32_t shader);
    void linkProgram();
    // Recompiles into the same shader objects and relinks the same program object.
    void relinkProgram();
    void locateUniforms();
    // Sets every located author uniform of the program in use to its default.
    void setUniformDefaults() const;

private:
    void link();

    // The log of each shader's last failed compile, to tell a left-over log from a new one.
    std::string vertexFailureLog_;
    std::string fragmentFailureLog_;
};
