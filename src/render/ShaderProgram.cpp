#include "render/ShaderProgram.h"

#include <GL/glew.h>

#include <cstdio>
#include <fstream>
#include <iterator>

const char* const builtinVertexSource = "#version 150\n\nin vec3 vp;\n\nvoid main() {\ngl_Position = vec4(vp, 1.0);\n}\n";

namespace {

constexpr int compileLogCapacity = 1024;

void compileShader(GLuint shader, const std::string& source) {
    const GLchar* text = source.data();
    const auto length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
}

std::string readSourceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("File %s not found! Returning empty string, with possibly bad outcomes...\n", path.c_str());
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

ShaderProgram::ShaderProgram() : vertexShaderSource(builtinVertexSource) { build(); }

void ShaderProgram::loadSourcesFromFiles() {
    std::printf("Loading file %s\n", vertexShaderFilename.c_str());
    vertexShaderSource = readSourceFile(vertexShaderFilename);
    std::printf("Loading file %s\n", fragmentShaderFilename.c_str());
    fragmentShaderSource = readSourceFile(fragmentShaderFilename);
}

void ShaderProgram::build() {
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
