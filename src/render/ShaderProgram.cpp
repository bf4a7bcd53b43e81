#include "render/ShaderProgram.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/FileIo.h"
#include "project/ResourceFiles.h"
#include "project/RuntimeResources.h"

#include <GL/glew.h>

#include <cstdio>

const char* const builtinVertexSource =
    "#version 150\n\nin vec3 vp;\n\nvoid main() {\ngl_Position = vec4(vp, 1.0);\n}\n";

namespace {

constexpr int compileLogCapacity = 1024;

void compileShader(GLuint shader, const std::string& source) {
    const GLchar* text = source.data();
    const auto length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
}

// A source file named by a project; empty when it is missing or outside the working directory.
std::string readSourceFile(const std::string& path) {
    std::printf("Loading file %s\n", path.c_str());
    if (!isInsideWorkingDirectory(path)) {
        std::printf("Refused to read %s: not a file inside the working directory\n", path.c_str());
        return {};
    }
    return readWholeFile(path);
}

} // namespace

ShaderProgram::ShaderProgram() : vertexShaderSource(builtinVertexSource) { build(); }

ShaderProgram::ShaderProgram(const JsonValue& value) { fromJson(value); }

ShaderProgram::ShaderProgram(BinaryReader& stream) { readBinary(stream); }

JsonValue ShaderProgram::toJson(bool projectForm) const {
    JsonValue object = JsonValue::makeObject({{"vertex_shader_filename", vertexShaderFilename},
                                              {"fragment_shader_filename", fragmentShaderFilename},
                                              {"uniform_defs", JsonValue::makeArray()}});
    for (const auto& uniform : uniformDefs)
        object.member("uniform_defs").append(uniform->toJson(projectForm));
    if (projectForm) {
        writeResourceFile(vertexShaderFilename, vertexShaderSource);
        writeResourceFile(fragmentShaderFilename, fragmentShaderSource);
    } else {
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
    build();
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
    build();
}

void ShaderProgram::loadSourcesFromFiles() {
    vertexShaderSource = readSourceFile(vertexShaderFilename);
    fragmentShaderSource = readSourceFile(fragmentShaderFilename);
}

void ShaderProgram::build() {
    if (!runtimeResourcesEnabled())
        return;
    if (programObject != 0) {
        relinkProgram();
        return;
    }
    vertexShader = glCreateShader(GL_VERTEX_SHADER);
    fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    compileShaders();
    linkProgram();
}

void ShaderProgram::compileShaders() {
    compileShader(vertexShader, vertexShaderSource);
    recordCompileLog(vertexShader);
    compileShader(fragmentShader, fragmentShaderSource);
    recordCompileLog(fragmentShader);
}

void ShaderProgram::recordCompileLog(uint32_t shader) {
    char log[compileLogCapacity] = {};
    glGetShaderInfoLog(shader, compileLogCapacity, nullptr, log);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);

    // Mesa skips compiling a source it has compiled successfully before and leaves
    // the shader's previous log in place: a failure's log seen again on a success is
    // left over, not this compile's verdict.
    std::string& lastFailure = shader == vertexShader ? vertexFailureLog_ : fragmentFailureLog_;
    const bool leftOver = compiled == GL_TRUE && !lastFailure.empty() && lastFailure == log;
    if (compiled != GL_TRUE)
        lastFailure = log;
    else if (!leftOver)
        lastFailure.clear();

    if (log[0] != '\0' && !leftOver) {
        std::printf("%s\n", log);
        compileLog = log;
    } else {
        compileLog = "Compilation successful.";
    }
}

void ShaderProgram::linkProgram() {
    programObject = glCreateProgram();
    glAttachShader(programObject, vertexShader);
    glAttachShader(programObject, fragmentShader);
    link();
}

void ShaderProgram::relinkProgram() {
    compileShaders();
    link();
}

void ShaderProgram::link() {
    glLinkProgram(programObject);
    GLint status = GL_FALSE;
    glGetProgramiv(programObject, GL_LINK_STATUS, &status);
    linked = status == GL_TRUE;
    locateUniforms();
}

void ShaderProgram::locateUniforms() {
    // Asking an unlinked program for locations is a GL error; it has none anyway.
    if (!linked) {
        builtins = BuiltinUniformLocations();
        for (const auto& uniform : uniformDefs)
            uniform->location = -1;
        return;
    }
    builtins.beat = glGetUniformLocation(programObject, "beat");
    builtins.sound = glGetUniformLocation(programObject, "sound");
    builtins.soundTexture = glGetUniformLocation(programObject, "sound_texture");
    builtins.tex[0] = glGetUniformLocation(programObject, "tex");
    for (int unit = 1; unit < samplerUnitCount; ++unit) {
        char name[8];
        std::snprintf(name, sizeof name, "tex%d", unit);
        builtins.tex[unit] = glGetUniformLocation(programObject, name);
    }
    builtins.resolution = glGetUniformLocation(programObject, "resolution");
    builtins.cameraPosition = glGetUniformLocation(programObject, "camera_position");
    builtins.cameraRotation = glGetUniformLocation(programObject, "camera_rotation");
    builtins.vp = glGetAttribLocation(programObject, "vp");
    for (const auto& uniform : uniformDefs)
        uniform->location = glGetUniformLocation(programObject, uniform->name.c_str());
}

void ShaderProgram::setUniformDefaults() const {
    for (const auto& uniform : uniformDefs)
        if (uniform->location != -1)
            glUniform1f(uniform->location, uniform->defaultVal);
}
