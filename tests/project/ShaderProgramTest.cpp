// Shader programs as the project stores them.
#include "project/ShaderProgram.h"
#include "support/StdoutCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(ShaderProgramTest, LoadsSourcesFromTheirFiles) {
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
