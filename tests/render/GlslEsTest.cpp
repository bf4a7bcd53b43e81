// Desktop shaders become GLSL ES 3.00 that an OpenGL ES 3.0 context (what
// WebGL 2 is) compiles, with the author's line numbers in its log.
#include "render/GlslEs.h"
#include "project/FileIo.h"
#include "project/ShaderProgram.h"
#include "support/GlWindow.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(GlslEsTest, TheVersionLineBecomesTheEsOneWithPrecisionsAndTheLinesKeepTheirNumbers) {
    const std::string translated =
        toGlslEs300("// effect\n#version 150\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    EXPECT_EQ(translated.rfind("#version 300 es\nprecision highp float;\n", 0), 0u) << translated;
    EXPECT_NE(translated.find("#line 3\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n"), std::string::npos)
        << translated;
    EXPECT_EQ(translated.find("#version 150"), std::string::npos);

    const std::string extended = toGlslEs300("#version 330 core\n#extension GL_EXT_foo : enable\nout vec4 c;\n");
    EXPECT_LT(extended.find("#extension GL_EXT_foo"), extended.find("precision")) << extended;
    EXPECT_NE(extended.find("#line 3\nout vec4 c;"), std::string::npos) << extended;

    const std::string unversioned = toGlslEs300("out vec4 c;\n");
    EXPECT_NE(unversioned.find("#line 1\nout vec4 c;"), std::string::npos) << unversioned;
}

// Compiles `source` as a shader of `type`; the log, empty when it compiled.
std::string compileLog(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    char log[4096] = "";
    if (compiled != GL_TRUE)
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    glDeleteShader(shader);
    return compiled == GL_TRUE ? std::string() : std::string("failed: ") + log;
}

TEST(GlslEsTest, TheExampleAndTheLoaderCompileInAnEsContext) {
    GlWindow window(64, 36, {.major = 3, .minor = 0, .core = false, .es = true});
    ASSERT_TRUE(window.ok()) << window.error();
    ASSERT_EQ(std::string_view(reinterpret_cast<const char*>(glGetString(GL_VERSION))).substr(0, 9), "OpenGL ES");

    EXPECT_EQ(compileLog(GL_VERTEX_SHADER, toGlslEs300(builtinVertexSource)), "");
    for (const auto& file : std::filesystem::directory_iterator(QUILLFRONT_EXAMPLE "/resources")) {
        const std::string extension = file.path().extension().string();
        if (extension != ".frag" && extension != ".vert")
            continue;
        const GLenum type = extension == ".frag" ? GL_FRAGMENT_SHADER : GL_VERTEX_SHADER;
        EXPECT_EQ(compileLog(type, toGlslEs300(readWholeFile(file.path()))), "") << file.path();
    }
    EXPECT_EQ(compileLog(GL_FRAGMENT_SHADER, toGlslEs300(readWholeFile(QUILLFRONT_SOURCE "/assets/loader.frag"))), "");

    const std::string log =
        compileLog(GL_FRAGMENT_SHADER, toGlslEs300("#version 150\nout vec4 c;\nvoid main() {\n  c = nothing;\n}\n"));
    EXPECT_NE(log.find("0:4("), std::string::npos) << "the error is on the author's line 4: " << log;
}

} // namespace
