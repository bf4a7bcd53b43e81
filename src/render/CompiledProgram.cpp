#include "render/CompiledProgram.h"

#include "project/ConsoleLog.h"
#include "render/Gl.h"
#include "render/GlslEs.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int compileLogCapacity = 1024;

void compileShader(GLuint shader, const std::string& authored) {
#ifdef __EMSCRIPTEN__
    const std::string source = toGlslEs300(authored); // WebGL 2 compiles GLSL ES alone
#else
    const std::string& source = authored;
#endif
    const GLchar* text = source.data();
    const auto length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
}

} // namespace

CompiledProgram::~CompiledProgram() {
    if (programObject == 0)
        return;
    glDeleteProgram(programObject);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
}

void CompiledProgram::build(const ShaderProgram& program) {
    if (programObject == 0) {
        vertexShader = glCreateShader(GL_VERTEX_SHADER);
        fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
        programObject = glCreateProgram();
        glAttachShader(programObject, vertexShader);
        glAttachShader(programObject, fragmentShader);
    }
    // A source that does not compile leaves the program's last good executable
    // drawing (the log tells what is wrong); a program never linked stays unlinked.
    if (compileShaders(program) || !linked)
        link(program);
    else
        locateUniforms(program);
}

bool CompiledProgram::compileShaders(const ShaderProgram& program) {
    compileShader(vertexShader, program.vertexShaderSource);
    const bool vertexCompiled = recordCompileLog(vertexShader);
    compileShader(fragmentShader, program.fragmentShaderSource);
    const std::string vertexLog = compileLog;
    const bool fragmentCompiled = recordCompileLog(fragmentShader);
    if (!vertexCompiled && fragmentCompiled)
        compileLog = vertexLog;
    return vertexCompiled && fragmentCompiled;
}

bool CompiledProgram::recordCompileLog(uint32_t shader) {
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
        logLine(log);
        compileLog = log;
    } else {
        compileLog = "Compilation successful.";
    }
    return compiled == GL_TRUE;
}

void CompiledProgram::link(const ShaderProgram& program) {
    glLinkProgram(programObject);
    GLint status = GL_FALSE;
    glGetProgramiv(programObject, GL_LINK_STATUS, &status);
    linked = status == GL_TRUE;
    locateUniforms(program);
}

void CompiledProgram::locateUniforms(const ShaderProgram& program) {
    builtins = BuiltinUniformLocations();
    uniformLocations.assign(program.uniformDefs.size(), -1);
    locatedNames_.clear();
    for (const auto& uniform : program.uniformDefs)
        locatedNames_.push_back(uniform->name);
    // Asking an unlinked program for locations is a GL error; it has none anyway.
    if (!linked)
        return;
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
    for (size_t i = 0; i < program.uniformDefs.size(); ++i)
        uniformLocations[i] = glGetUniformLocation(programObject, program.uniformDefs[i]->name.c_str());
}

void CompiledProgram::followUniformDefs(const ShaderProgram& program) {
    const bool same =
        std::equal(locatedNames_.begin(), locatedNames_.end(), program.uniformDefs.begin(), program.uniformDefs.end(),
                   [](const std::string& name, const auto& uniform) { return name == uniform->name; });
    if (!same)
        locateUniforms(program);
}

void CompiledProgram::setUniformDefaults(const ShaderProgram& program) const {
    for (size_t i = 0; i < uniformLocations.size() && i < program.uniformDefs.size(); ++i)
        if (uniformLocations[i] != -1)
            glUniform1f(uniformLocations[i], program.uniformDefs[i]->defaultVal);
}
