#include "tool/ToolCommands.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
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
    EXPECT_EQ(run({"export-player", "rich.json", "x.exe", "--target", "macos"}), 2);
    EXPECT_NE(err.str().find("unknown target 'macos': linux or windows"), std::string::npos);
}

TEST_F(ToolCommandsTest, ExportWebWritesThePlayerAndTheBinaryProject) {
    std::filesystem::create_directory("player");
    for (const char* name : {"index.html", "quillfront-player.js", "quillfront-player.wasm"})
        std::ofstream(std::filesystem::path("player") / name) << name;
    ASSERT_EQ(run({"export-web", "rich.json", "site/demo", "--web-player", "player"}), 0) << err.str();
    EXPECT_EQ(out.str(), "wrote site/demo: index.html, the player and demo.bin\n");
    EXPECT_EQ(tryReadWholeFile("site/demo/quillfront-player.wasm"), "quillfront-player.wasm");
    ASSERT_EQ(run({"info", "site/demo/demo.bin"}), 0);
    EXPECT_NE(out.str().find("(binary form)"), std::string::npos);

    std::filesystem::remove("player/quillfront-player.wasm");
    EXPECT_EQ(run({"export-web", "rich.json", "other", "--web-player", "player"}), 1);
    EXPECT_NE(err.str().find("player/quillfront-player.wasm: cannot be read"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists("other"));
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

TEST_F(ToolCommandsTest, TheBundledExampleLoadsCleanly) {
    std::filesystem::current_path(QUILLFRONT_EXAMPLE);
    EXPECT_EQ(run({"check", "content.dat.json"}), 0) << err.str();
    ASSERT_EQ(run({"info", "content.dat.json"}), 0);
    for (const char* line : {"bpm: 120\n", "end beat: 100\n", "event groups: 1\n", "font textures: 1\n"})
        EXPECT_NE(out.str().find(line), std::string::npos) << line;
}

TEST_F(ToolCommandsTest, UsageErrorsSayHowToCallItWithStatus2) {
    struct Case {
        std::vector<std::string> args;
        const char* problem;
    };
    for (const Case& c : {Case{{}, "missing command"}, Case{{"frobnicate", "x"}, "unknown command 'frobnicate'"},
                          Case{{"convert", "only-one"}, "missing OUT for convert"},
                          Case{{"check", "a.json", "b.json"}, "unexpected argument 'b.json'"},
                          Case{{"info", "--verbose", "rich.json"}, "unrecognized option '--verbose'"},
                          Case{{"info", "rich.json", "--player", "x"}, "unrecognized option '--player'"},
                          Case{{"export-player", "rich.json", "out", "--player"}, "option '--player' requires a value"},
                          Case{{"check", "--help=yes"}, "option '--help' takes no value"},
                          Case{{"render", "rich.json"}, "missing OUT for render"},
                          Case{{"render", "rich.json", "out", "--size", "320"}, "--size wants WIDTHxHEIGHT"},
                          Case{{"render", "rich.json", "out", "--size", "8x8"}, "--size wants WIDTHxHEIGHT"},
                          Case{{"render", "rich.json", "out.mp4", "--size=321x180"},
                               "a video wants an even width and height, not 321x180"},
                          Case{{"render", "--fps", "0", "rich.json", "out"}, "--fps wants a whole number"},
                          Case{{"render", "rich.json", "out.mp4", "--part", "1/4"}, "a part is joined later"},
                          Case{{"join", "part-1.mov"}, "missing OUT for join"},
                          Case{{"join", "part-1.mov", "part-2.mov"}, "join writes an MP4 file"},
                          Case{{"render", "rich.json", "out", "--from", "soon"}, "--from wants a beat, not 'soon'"},
                          Case{{"render", "rich.json", "out", "--to", "nan"}, "--to wants a beat, not 'nan'"}}) {
        EXPECT_EQ(run(c.args), 2) << c.problem;
        EXPECT_EQ(err.str().rfind(std::string("quillfront-tool: ") + c.problem, 0), 0u) << err.str();
        EXPECT_NE(err.str().find("usage: quillfront-tool info FILE\n"), std::string::npos);
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(ToolCommandsTest, OptionsMayStandAnywhere) {
    std::ofstream("quillfront") << "program image";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--player", "quillfront", "export-player", "rich.json", "a.exe"},
          {"export-player", "rich.json", "--player=quillfront", "a.exe"},
          {"export-player", "rich.json", "a.exe", "--player", "quillfront"}}) {
        EXPECT_EQ(run(args), 0) << err.str();
        EXPECT_EQ(tryReadWholeFile("a.exe").value().rfind("program image", 0), 0u);
        std::filesystem::remove("a.exe");
    }
    std::filesystem::copy_file("rich.json", "-odd.json");
    EXPECT_EQ(run({"check", "--", "-odd.json"}), 0) << "after --, a leading dash is part of a name";
}

TEST_F(ToolCommandsTest, HelpAndVersionGoToStandardOutput) {
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* text :
         {"usage: quillfront-tool info FILE\n", "export-player PROJECT OUT [--target SYSTEM] [--player PATH]\n",
          "  convert ", "  --version ", "Exit status: 0 done; 1 the work failed"})
        EXPECT_NE(out.str().find(text), std::string::npos) << text;
    EXPECT_EQ(err.str(), "");

    EXPECT_EQ(run({"export-player", "--help"}), 0) << "a command's help, even without its arguments";
    EXPECT_EQ(
        out.str().rfind("usage: quillfront-tool export-player PROJECT OUT [--target SYSTEM] [--player PATH]\n", 0), 0u);
    EXPECT_NE(out.str().find("  --player PATH "), std::string::npos);
    EXPECT_EQ(run({"render", "--help"}), 0);
    EXPECT_EQ(out.str().rfind("usage: quillfront-tool render PROJECT OUT [--size WxH] [--fps N] [--from BEAT] "
                              "[--to BEAT] [--part K/N]\n",
                              0),
              0u);
    EXPECT_EQ(run({"check", "rich.json", "--help"}), 0);
    EXPECT_EQ(out.str().rfind("usage: quillfront-tool check FILE\n", 0), 0u) << "help, not the check";

    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_THAT(out.str(), ::testing::MatchesRegex("quillfront-tool \\(Quillfront\\) [0-9]+\\.[0-9]+\\.[0-9]+\n"));
}

} // namespace
