#include "tool/ToolCommands.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ToolCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;

    void SetUp() override {
        dir.enter();
        std::ofstream("rich.json") << writeJsonProject(*buildRichProject(), false);
    }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return runTool(args, out, err);
    }
};

TEST_F(ToolCommandsTest, InfoDescribesTheProject) {
    ASSERT_EQ(run({"info", "rich.json"}), 0) << err.str();
    const std::string text = out.str();
    for (const char* line : {"rich.json (JSON form)\n", "bpm: 142.5\n", "end beat: 256\n", "events: 5\n",
                             "effects: 3\n", "font textures: 1\n", "music: 8 bytes\n", "unresolved references: 0\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "in:\n" << text;
}

TEST_F(ToolCommandsTest, ConvertGoesBothWaysWithoutLoss) {
    ASSERT_EQ(run({"convert", "rich.json", "rich.demo"}), 0) << err.str();
    ASSERT_EQ(run({"convert", "rich.demo", "again.json"}), 0) << err.str();
    EXPECT_EQ(tryReadWholeFile("again.json"), tryReadWholeFile("rich.json"));
    ASSERT_EQ(run({"info", "rich.demo"}), 0);
    EXPECT_NE(out.str().find("(binary form)"), std::string::npos);
}

TEST_F(ToolCommandsTest, ExportPlayerAppendsTheProjectToTheProgram) {
    std::ofstream("quillfront") << "program image";
    ASSERT_EQ(run({"export-player", "rich.json", "demo.exe", "--player", "quillfront"}), 0) << err.str();
    EXPECT_EQ(tryReadWholeFile("demo.exe").value().rfind("program image", 0), 0u);
    EXPECT_NE(std::filesystem::status("demo.exe").permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
    ASSERT_EQ(run({"info", "demo.exe"}), 0);
    EXPECT_NE(out.str().find("demo.exe (player form)"), std::string::npos);
    EXPECT_EQ(run({"export-player", "rich.json", "x.exe", "--player", "missing"}), 1);
    EXPECT_NE(err.str().find("missing: cannot be read"), std::string::npos);
}

TEST_F(ToolCommandsTest, CheckPassesOnlyCleanProjects) {
    EXPECT_EQ(run({"check", "rich.json"}), 0);
    EXPECT_EQ(out.str(), "rich.json: OK\n");

    std::ofstream("dangling.json") << R"({"textures": [], "shaders": [], "effects": [], "event_groups": [],
        "music": "", "events": [{"name": "e", "effect": "ghost", "start_beat": 0.0, "end_beat": 1.0}]})";
    EXPECT_EQ(run({"check", "dangling.json"}), 1);
    EXPECT_EQ(err.str(), "dangling.json: 1 unresolved reference(s)\n  effect \"ghost\" not found\n");
    EXPECT_EQ(run({"info", "dangling.json"}), 0);
    EXPECT_NE(out.str().find("unresolved references: 1\n  effect \"ghost\" not found\n"), std::string::npos);

    std::ofstream("broken.json") << R"({"textures": [], "shaders": [], "effects": [], "event_groups": [],
        "music": "", "events": [], "bpm": 120.0,)";
    EXPECT_EQ(run({"check", "broken.json"}), 1);
    EXPECT_NE(err.str().find("JSON syntax error"), std::string::npos);

    std::ofstream("garbage.demo") << "garbage";
    EXPECT_EQ(run({"check", "garbage.demo"}), 1);
    EXPECT_NE(err.str().find("garbage.demo: "), std::string::npos);
    EXPECT_EQ(run({"check", "nowhere.json"}), 1);
    EXPECT_EQ(err.str(), "nowhere.json: cannot be read\n");
}

TEST_F(ToolCommandsTest, UsageErrorsSayHowToCallIt) {
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"convert", "only-one"}), 2);
    EXPECT_NE(err.str().find("usage: quillfront-tool info FILE"), std::string::npos);
}

} // namespace
