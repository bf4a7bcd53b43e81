#include "project/ShaderProgram.h"
#include "support/GlWindow.h"
#include "support/StdoutCapture.h"
#include "support/TempDir.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class ShaderProgramTest : public ::testing::Test {
protected:
    GlWindow window{64, 36};

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }

    std::unique_ptr<ShaderProgram> programWith(const std::string& fragment) {
        auto program = std::make_unique<ShaderProgram>();
        program->fragmentShaderSource = fragment;
        program->relinkProgram();
        return program;
    }
};

TEST_F(ShaderProgramTest, NewProgramHasTheBuiltinVertexShaderAndReportsTheEmptyFragmentShader) {
    StdoutCapture capture;
    ShaderProgram program;
    const std::string console = capture.text();
    EXPECT_EQ(std::string(builtinVertexSource).size(), 72u);
    EXPECT_EQ(program.vertexShaderSource, builtinVertexSource);
    EXPECT_EQ(program.vertexShaderFilename, "resources/default.vert");
    EXPECT_EQ(program.fragmentShaderFilename, "resources/untitled.frag");
    EXPECT_NE(program.programObject, 0u);
    EXPECT_NE(program.compileLog, "Compilation successful.") << "the driver complains about an empty shader";
    EXPECT_NE(console.find(program.compileLog), std::string::npos);
}

TEST_F(ShaderProgramTest, CompileLogShowsTheDriversVerdict) {
    auto program = programWith("#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    EXPECT_EQ(program->compileLog, "Compilation successful.");

    StdoutCapture capture;
    program->fragmentShaderSource = "#version 150\nout vec4 c;\nvoid main() { c = undeclared; }\n";
    program->relinkProgram();
    const std::string console = capture.text();
    EXPECT_NE(program->compileLog.find("undeclared"), std::string::npos) << program->compileLog;
    EXPECT_EQ(console, program->compileLog + "\n");

    program->fragmentShaderSource =
        "#version 150\n#extension GL_QF_no_such_extension : warn\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    program->relinkProgram();
    EXPECT_NE(program->compileLog.find("warning"), std::string::npos) << "warnings show like errors";
}

TEST(ShaderCacheTest, FixingAShaderShowsSuccessWhenTheDriverSkipsTheCompile) {
    // With Mesa's shader cache on, a source compiled before is not compiled again
    // and the shader keeps the log of its failed compile.
    setenv("MESA_SHADER_CACHE_DISABLE", "false", 1);
    GlWindow window(32, 18);
    ASSERT_TRUE(window.ok()) << window.error();
    const std::string good = "#version 150\nout vec4 c;\nvoid main() { c = vec4(0.25); }\n";
    ShaderProgram first;
    first.fragmentShaderSource = good;
    first.relinkProgram();

    ShaderProgram program;
    program.fragmentShaderSource = "#version 150\nout vec4 c;\nvoid main() { c = broken; }\n";
    program.relinkProgram();
    ASSERT_NE(program.compileLog.find("broken"), std::string::npos);
    for (int again = 0; again < 2; ++again) {
        program.fragmentShaderSource = good;
        program.relinkProgram();
        EXPECT_EQ(program.compileLog, "Compilation successful.");
    }
}

TEST_F(ShaderProgramTest, LongCompileLogsAreCutAt1023Characters) {
    std::string source = "#version 150\nout vec4 c;\nvoid main() {\n";
    for (int i = 0; i < 100; ++i)
        source += "c = undeclared_variable_number_" + std::to_string(i) + ";\n";
    source += "}\n";
    auto program = programWith(source);
    GLint fullLength = 0;
    glGetShaderiv(program->fragmentShader, GL_INFO_LOG_LENGTH, &fullLength);
    ASSERT_GT(fullLength, 1024);
    EXPECT_EQ(program->compileLog.size(), 1023u);
}

TEST_F(ShaderProgramTest, RelinkKeepsTheGlObjects) {
    auto program = programWith("#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    const GLuint object = program->programObject;
    const GLuint fragment = program->fragmentShader;
    program->fragmentShaderSource = "#version 150\nuniform float beat;\nout vec4 c;\nvoid main() { c = vec4(beat); }\n";
    program->relinkProgram();
    EXPECT_EQ(program->programObject, object);
    EXPECT_EQ(program->fragmentShader, fragment);
    EXPECT_NE(program->builtins.beat, -1);
}

TEST_F(ShaderProgramTest, LocatesBuiltinUniformsAndSamplersFromTex) {
    auto program = programWith(R"(#version 150
uniform float beat; uniform int sound; uniform vec2 resolution;
uniform vec3 camera_position; uniform vec3 camera_rotation;
uniform sampler2D sound_texture, tex, tex0, tex1, tex15;
out vec4 c;
void main() {
  c = vec4(beat + float(sound) + resolution.x + camera_position.x + camera_rotation.x)
    + texture(sound_texture, vec2(0.0)) + texture(tex, vec2(0.0)) + texture(tex0, vec2(0.0))
    + texture(tex1, vec2(0.0)) + texture(tex15, vec2(0.0));
})");
    const BuiltinUniformLocations& at = program->builtins;
    for (int32_t location : {at.beat, at.sound, at.resolution, at.cameraPosition, at.cameraRotation, at.soundTexture,
                             at.tex[0], at.tex[1], at.tex[15], at.vp})
        EXPECT_NE(location, -1);
    for (int unit = 2; unit < 15; ++unit)
        EXPECT_EQ(at.tex[unit], -1) << unit;
    const GLint tex0 = glGetUniformLocation(program->programObject, "tex0");
    ASSERT_NE(tex0, -1);
    for (int32_t location : at.tex)
        EXPECT_NE(location, tex0) << "tex0 is no unit's sampler";
}

TEST_F(ShaderProgramTest, ProgramWithoutBuiltinsHasNoLocations) {
    auto program = programWith("#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    const BuiltinUniformLocations& at = program->builtins;
    for (int32_t location : {at.beat, at.sound, at.resolution, at.cameraPosition, at.cameraRotation, at.soundTexture})
        EXPECT_EQ(location, -1);
    for (int32_t location : at.tex)
        EXPECT_EQ(location, -1);
}

TEST_F(ShaderProgramTest, UniformDefsAreLocatedByName) {
    auto program = programWith("#version 150\nuniform float speed;\nout vec4 c;\nvoid main() { c = vec4(speed); }\n");
    auto uniform = std::make_unique<UniformDef>();
    uniform->name = "sped";
    program->uniformDefs.push_back(std::move(uniform));
    program->locateUniforms();
    EXPECT_EQ(program->uniformDefs[0]->location, -1);
    program->uniformDefs[0]->name = "speed";
    program->locateUniforms();
    EXPECT_NE(program->uniformDefs[0]->location, -1);
}

TEST_F(ShaderProgramTest, LoadsSourcesFromTheirFiles) {
    TempDir dir;
    dir.enter();
    std::ofstream("shader.frag") << "#version 150\nout vec4 c;\nvoid main() { c = vec4(0.5); }\n";
    ShaderProgram program;
    program.vertexShaderFilename = "missing.vert";
    program.fragmentShaderFilename = "shader.frag";
    StdoutCapture capture;
    program.loadSourcesFromFiles();
    const std::string console = capture.text();
    EXPECT_EQ(program.vertexShaderSource, "");
    EXPECT_EQ(program.fragmentShaderSource, "#version 150\nout vec4 c;\nvoid main() { c = vec4(0.5); }\n");
    EXPECT_EQ(console, "Loading file missing.vert\n"
                       "File missing.vert not found! Returning empty string, with possibly bad outcomes...\n"
                       "Loading file shader.frag\n");
}

} // namespace
