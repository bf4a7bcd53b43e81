#include "player/Fatal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FatalTest, WritesTheCrashReportAndExitsWithStatusOne) {
    TempDir dir;
    dir.enter();
    EXPECT_EXIT(fatal("File not found: resources/missing.png"), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(contentsOf(dir.path() / "crash.txt"), "Fatal error: File not found: resources/missing.png\nExiting.");
}

TEST(FatalTest, SaysSoOnStandardOutputWhenTheReportCannotBeWritten) {
    TempDir dir;
    dir.enter();
    std::filesystem::create_directory("crash.txt");
    EXPECT_EXIT(
        {
            std::freopen("stdout.txt", "w", stdout);
            fatal("anything");
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(contentsOf(dir.path() / "stdout.txt"), "Error opening file!\n");
}

} // namespace
