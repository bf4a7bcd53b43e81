// A GLSL program as the project stores it: a vertex and a fragment shader kept
// as text with the files they are saved to, and the author's uniform
// declarations. The render cache compiles it; this class holds data only.
#pragma once

#include "project/EditMark.h"
#include "project/ISerializable.h"
#include "project/UniformDef.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Sampler uniforms exist for texture units 0 to 15: "tex", then "tex1" to "tex15".
constexpr int samplerUnitCount = 16;

// Passes the full-screen quad's clip-space position through.
extern const char* const builtinVertexSource;

class ShaderProgram : public ISerializable {
public:
    std::string vertexShaderSource = builtinVertexSource;
    std::string fragmentShaderSource;
    std::string vertexShaderFilename = "resources/default.vert";
    std::string fragmentShaderFilename = "resources/untitled.frag"; // also the program's reference name
    std::vector<std::unique_ptr<UniformDef>> uniformDefs;
    EditMark edits; // touched when the sources or the uniform names change

    ShaderProgram() = default;
    // A program of the built-in vertex shader and `fragmentSource`.
    explicit ShaderProgram(std::string fragmentSource) : fragmentShaderSource(std::move(fragmentSource)) {}

    // With `projectForm` the object keeps only the sources' file names (the files
    // are among the project's resource files); otherwise the sources are inline.
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: four strings' lengths and the uniform count.
    static constexpr size_t minBinaryBytes = 4 * 8 + 8;
    void writeBinary(BinaryWriter& stream) const override;
    // Inline sources when the object has "fragment_shader_source", else both files.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;

    // Reads both sources from their files; a missing file gives an empty source.
    void loadSourcesFromFiles();
};
