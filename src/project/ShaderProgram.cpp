#include "project/ShaderProgram.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/ConsoleLog.h"
#include "project/FileIo.h"
#include "project/ResourceFiles.h"

const char* const builtinVertexSource =
    "#version 150\n\nin vec3 vp;\n\nvoid main() {\ngl_Position = vec4(vp, 1.0);\n}\n";

namespace {

// A source file named by a project; empty when it is missing or outside the working directory.
std::string readSourceFile(const std::string& path) {
    logLine("Loading file " + path);
    if (!isInsideWorkingDirectory(path)) {
        logLine("Refused to read " + path + ": not a file inside the working directory");
        return {};
    }
    return readWholeFile(path);
}

} // namespace

JsonValue ShaderProgram::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"vertex_shader_filename", vertexShaderFilename},
                                              {"fragment_shader_filename", fragmentShaderFilename},
                                              {"uniform_defs", JsonValue::makeArray()}});
    for (const auto& uniform : uniformDefs)
        object.member("uniform_defs").append(uniform->toJson(projectForm));
    if (!projectForm) {
        object.member("vertex_shader_source") = vertexShaderSource;
        object.member("fragment_shader_source") = fragmentShaderSource;
    }
    return object;
}
void ShaderProgram::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, vertexShaderFilename);
    writeCompressedString(stream, vertexShaderSource);
    writeCompressedString(stream, fragmentShaderFilename);
    writeCompressedString(stream, fragmentShaderSource);
    stream.writeCount(uniformDefs.size());
    for (const auto& uniform : uniformDefs)
        uniform->writeBinary(stream);
}

void ShaderProgram::fromJson(const JsonValue& value) {
    vertexShaderFilename = value.get("vertex_shader_filename").asString();
    fragmentShaderFilename = value.get("fragment_shader_filename").asString();
    if (value.contains("fragment_shader_source")) {
        vertexShaderSource = value.get("vertex_shader_source").asString();
        fragmentShaderSource = value.get("fragment_shader_source").asString();
    } else {
        loadSourcesFromFiles();
    }
    uniformDefs.clear();
    for (const JsonValue& element : value.get("uniform_defs").elements()) {
        auto uniform = std::make_unique<UniformDef>();
        uniform->fromJson(element);
        uniformDefs.push_back(std::move(uniform));
    }
    edits.touch();
}

void ShaderProgram::readBinary(BinaryReader& stream) {
    vertexShaderFilename = readCompressedString(stream);
    vertexShaderSource = readCompressedString(stream);
    fragmentShaderFilename = readCompressedString(stream);
    fragmentShaderSource = readCompressedString(stream);
    // A uniform's record is at least an empty string's 8-byte length and three floats.
    const uint64_t count = stream.readCount(8 + 3 * 4);
    uniformDefs.clear();
    for (uint64_t i = 0; i < count; ++i) {
        auto uniform = std::make_unique<UniformDef>();
        uniform->readBinary(stream);
        uniformDefs.push_back(std::move(uniform));
    }
    edits.touch();
}

void ShaderProgram::loadSourcesFromFiles() {
    vertexShaderSource = readSourceFile(vertexShaderFilename);
    fragmentShaderSource = readSourceFile(fragmentShaderFilename);
    edits.touch();
}
