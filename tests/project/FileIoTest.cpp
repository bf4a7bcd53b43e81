#include "project/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& contents) { std::ofstream(path, std::ios::binary) << contents; }

size_t entriesIn(const fs::path& directory) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

TEST(FileIoTest, ReadsAWholeFileInBinaryMode) {
    TempDir dir;
    const std::string contents("line\r\n\0\xFF end", 12);
    writeFile(dir.path() / "shader.glsl", contents);
    EXPECT_EQ(readWholeFile(dir.path() / "shader.glsl"), contents);
    EXPECT_EQ(tryReadWholeFile(dir.path() / "shader.glsl"), contents);
    writeFile(dir.path() / "empty.json", "");
    EXPECT_EQ(tryReadWholeFile(dir.path() / "empty.json"), "");
}

TEST(FileIoTest, AMissingFileReadsAsEmptyTextAndSaysSo) {
    TempDir dir;
    dir.enter();
    EXPECT_EQ(tryReadWholeFile("missing.json"), std::nullopt);
    EXPECT_EQ(tryReadWholeFile(dir.path()), std::nullopt); // a directory has no contents to read
    ::testing::internal::CaptureStdout();
    const std::string text = readWholeFile("missing.json");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "File missing.json not found! Returning empty string, with possibly bad outcomes...\n");
    EXPECT_EQ(text, "");
}

TEST(FileIoTest, WritesANewFileWithDefaultPermissions) {
    TempDir dir;
    const mode_t previousMask = umask(022);
    const std::error_code error = writeWholeFile(dir.path() / "untitled.demo.json", "{\n\n}");
    umask(previousMask);
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(contentsOf(dir.path() / "untitled.demo.json"), "{\n\n}");
    EXPECT_EQ(fs::status(dir.path() / "untitled.demo.json").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileIoTest, ReplacesAFileKeepingItsPermissions) {
    TempDir dir;
    const fs::path path = dir.path() / "untitled.demo";
    writeFile(path, "an older and longer project");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::vector<uint8_t> bytes = {0, 1, 2, 0xFF};
    EXPECT_FALSE(writeWholeFile(path, bytes));
    EXPECT_EQ(contentsOf(path), std::string("\0\1\2\xFF", 4));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(FileIoTest, WritesRelativeToTheWorkingDirectory) {
    TempDir dir;
    dir.enter();
    EXPECT_FALSE(writeWholeFile("content.dat.json", "{}"));
    EXPECT_EQ(contentsOf(dir.path() / "content.dat.json"), "{}");
}

TEST(FileIoTest, ReportsFailureAndLeavesNothingBehind) {
    TempDir dir;
    EXPECT_TRUE(writeWholeFile(dir.path() / "no" / "such" / "folder.json", "{}"));

    writeFile(dir.path() / "plain", "x");
    EXPECT_EQ(writeWholeFile(dir.path() / "plain" / "below.json", "{}"), std::errc::not_a_directory);

    fs::create_directory(dir.path() / "taken.json");
    EXPECT_EQ(writeWholeFile(dir.path() / "taken.json", "{}"), std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken.json"));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

// Exits 3 when the save fails as the disk would.
[[noreturn]] void saveWithFilesLimitedTo4k(const fs::path& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::error_code error = writeWholeFile(path, std::string(100000, 'x'));
    std::_Exit(error == std::errc::file_too_large ? 3 : 4);
}

// A full disk, imitated by a limit on file sizes, stops the save before the
// rename: the old project is left whole and no temporary file remains.
TEST(FileIoTest, AFullDiskLeavesTheOldFileWhole) {
    TempDir dir;
    const fs::path path = dir.path() / "project.json";
    writeFile(path, "old project");
    EXPECT_EXIT(saveWithFilesLimitedTo4k(path), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(contentsOf(path), "old project");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

// A save killed midway leaves its temporary beside the file: the next save of
// that file removes those of processes gone, and nothing else.
TEST(FileIoTest, ASaveRemovesTheTemporariesLeftByKilledSaves) {
    TempDir dir;
    dir.enter();
    const pid_t gone = fork();
    if (gone == 0)
        std::_Exit(0);
    waitpid(gone, nullptr, 0);
    const std::string temporaryOfGone = ".project.json.tmp" + std::to_string(gone) + "-0";
    // The second was left by an earlier process that had this one's PID.
    const std::vector<std::string> leftovers = {temporaryOfGone,
                                                ".project.json.tmp" + std::to_string(getpid()) + "-99999"};
    const std::vector<std::string> others = {
        ".project.json.tmp" + std::to_string(getppid()) + "-0", // a save running in another process
        ".other.json.tmp" + std::to_string(gone) + "-0",
        ".project.json.tmpabc",
        temporaryOfGone + "x",
        temporaryOfGone.substr(1),
    };
    for (const std::string& name : leftovers)
        writeFile(name, "half a project");
    for (const std::string& name : others)
        writeFile(name, "half a project");

    EXPECT_FALSE(writeWholeFile("project.json", "{}"));
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(name)) << name;
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(name)) << name;
    EXPECT_EQ(entriesIn("."), others.size() + 1);
}

} // namespace
