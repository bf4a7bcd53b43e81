// Shader programs compiled and linked for real, their logs and uniform locations.
#include "render/CompiledProgram.h"
#include "support/GlWindow.h"
#include "support/StdoutCapture.h"
#include "support/TestShaders.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

namespace {

class CompiledProgramTest : public ::testing::Test {
protected:
    GlWindow window{64, 36};
    ShaderProgram source;
    CompiledProgram program;

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }

    void build(const std::string& fragment) {
        source.fragmentShaderSource = fragment;
        program.build(source);
    }
};

TEST_F(CompiledProgramTest, AnEmptyFragmentShaderIsReported) {
    EXPECT_EQ(std::string(builtinVertexSource).size(), 72u);
    EXPECT_EQ(source.vertexShaderSource, builtinVertexSource);
    StdoutCapture capture;
    program.build(source);
    const std::string console = capture.text();
    EXPECT_NE(program.programObject, 0u);
    EXPECT_FALSE(program.linked);
    EXPECT_NE(program.compileLog, "Compilation successful.") << "the driver complains about an empty shader";
    EXPECT_NE(console.find(program.compileLog), std::string::npos);
}

TEST_F(CompiledProgramTest, CompileLogShowsTheDriversVerdict) {
    build(constantShader("vec4(1.0)"));
    EXPECT_EQ(program.compileLog, "Compilation successful.");

    StdoutCapture capture;
    build("#version 150\nout vec4 c;\nvoid main() { c = undeclared; }\n");
    const std::string console = capture.text();
    EXPECT_NE(program.compileLog.find("undeclared"), std::string::npos) << program.compileLog;
    EXPECT_EQ(console, program.compileLog + "\n");

    build("#version 150\n#extension GL_QF_no_such_extension : warn\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    EXPECT_NE(program.compileLog.find("warning"), std::string::npos) << "warnings show like errors";
}

TEST(ShaderCacheTest, FixingAShaderShowsSuccessWhenTheDriverSkipsTheCompile) {
    // With Mesa's shader cache on, a source compiled before is not compiled again
    // and the shader keeps the log of its failed compile.
    setenv("MESA_SHADER_CACHE_DISABLE", "false", 1);
    GlWindow window(32, 18);
    ASSERT_TRUE(window.ok()) << window.error();
    const ShaderProgram good("#version 150\nout vec4 c;\nvoid main() { c = vec4(0.25); }\n");
    CompiledProgram first;
    first.build(good);

    const ShaderProgram broken("#version 150\nout vec4 c;\nvoid main() { c = broken; }\n");
    CompiledProgram program;
    program.build(broken);
    ASSERT_NE(program.compileLog.find("broken"), std::string::npos);
    for (int again = 0; again < 2; ++again) {
        program.build(good);
        EXPECT_EQ(program.compileLog, "Compilation successful.");
    }
}

TEST_F(CompiledProgramTest, LongCompileLogsAreCutAt1023Characters) {
    std::string text = "#version 150\nout vec4 c;\nvoid main() {\n";
    for (int i = 0; i < 100; ++i)
        text += "c = undeclared_variable_number_" + std::to_string(i) + ";\n";
    text += "}\n";
    build(text);
    GLint fullLength = 0;
    glGetShaderiv(program.fragmentShader, GL_INFO_LOG_LENGTH, &fullLength);
    ASSERT_GT(fullLength, 1024);
    EXPECT_EQ(program.compileLog.size(), 1023u);
}

TEST_F(CompiledProgramTest, RelinkKeepsTheGlObjects) {
    build(constantShader("vec4(1.0)"));
    const GLuint object = program.programObject;
    const GLuint fragment = program.fragmentShader;
    build("#version 150\nuniform float beat;\nout vec4 c;\nvoid main() { c = vec4(beat); }\n");
    EXPECT_EQ(program.programObject, object);
    EXPECT_EQ(program.fragmentShader, fragment);
    EXPECT_NE(program.builtins.beat, -1);
}

TEST_F(CompiledProgramTest, LocatesBuiltinUniformsAndSamplersFromTex) {
    build(R"(#version 150
uniform float beat; uniform int sound; uniform vec2 resolution;
uniform vec3 camera_position; uniform vec3 camera_rotation;
uniform sampler2D sound_texture, tex, tex0, tex1, tex15;
out vec4 c;
void main() {
  c = vec4(beat + float(sound) + resolution.x + camera_position.x + camera_rotation.x)
    + texture(sound_texture, vec2(0.0)) + texture(tex, vec2(0.0)) + texture(tex0, vec2(0.0))
    + texture(tex1, vec2(0.0)) + texture(tex15, vec2(0.0));
})");
    const BuiltinUniformLocations& at = program.builtins;
    for (int32_t location : {at.beat, at.sound, at.resolution, at.cameraPosition, at.cameraRotation, at.soundTexture,
                             at.tex[0], at.tex[1], at.tex[15], at.vp})
        EXPECT_NE(location, -1);
    for (int unit = 2; unit < 15; ++unit)
        EXPECT_EQ(at.tex[unit], -1) << unit;
    const GLint tex0 = glGetUniformLocation(program.programObject, "tex0");
    ASSERT_NE(tex0, -1);
    for (int32_t location : at.tex)
        EXPECT_NE(location, tex0) << "tex0 is no unit's sampler";
}

TEST_F(CompiledProgramTest, ProgramWithoutBuiltinsHasNoLocations) {
    build(constantShader("vec4(1.0)"));
    const BuiltinUniformLocations& at = program.builtins;
    for (int32_t location : {at.beat, at.sound, at.resolution, at.cameraPosition, at.cameraRotation, at.soundTexture})
        EXPECT_EQ(location, -1);
    for (int32_t location : at.tex)
        EXPECT_EQ(location, -1);
}

TEST_F(CompiledProgramTest, UniformDefsAreLocatedByName) {
    auto uniform = std::make_unique<UniformDef>();
    uniform->name = "sped";
    source.uniformDefs.push_back(std::move(uniform));
    build("#version 150\nuniform float speed;\nout vec4 c;\nvoid main() { c = vec4(speed); }\n");
    EXPECT_EQ(program.uniformLocations, std::vector<int32_t>{-1});
    source.uniformDefs[0]->name = "speed";
    program.build(source);
    EXPECT_NE(program.uniformLocations[0], -1);
}

} // namespace
