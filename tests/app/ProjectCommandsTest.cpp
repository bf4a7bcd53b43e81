// The File menu's commands and the start-up choice of the project, with data-only loads.
#include "app/ProjectCommands.h"
#include "app/ShellState.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "audio/SoundAnalysis.h"
#include "editor/StatusLine.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

void writeFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ProjectCommandsTest : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override {
        dir.enter();
        std::strcpy(projectFileName, "untitled.demo");
        playerMode = false;
        exePath = (dir.path() / "quillfront").string();
        std::ofstream(exePath) << "the program's bytes";
        installProject(buildRichProject());
    }
};

TEST_F(ProjectCommandsTest, SavedProjectsLoadBackUnderTheTypedName) {
    saveBinaryProject();
    EXPECT_EQ(statusText, "Saved untitled.demo");
    saveJsonProject(false);
    EXPECT_EQ(statusText, "Saved untitled.demo.json");
    const std::string saved = writeJsonProject(*theDemo, false);

    installProject(std::make_unique<Demo>());
    loadJsonProject();
    EXPECT_EQ(statusText, "Loaded untitled.demo.json");
    EXPECT_EQ(writeJsonProject(*theDemo, false), saved);
    installProject(std::make_unique<Demo>());
    loadBinaryProject();
    EXPECT_EQ(statusText, "Loaded untitled.demo");
    EXPECT_EQ(writeJsonProject(*theDemo, false), saved);
}

TEST_F(ProjectCommandsTest, AFailedLoadKeepsTheOpenProject) {
    Demo* open = theDemo;
    loadJsonProject();
    EXPECT_EQ(statusText, "File \"untitled.demo.json\" does not exist or is empty.");
    std::ofstream("untitled.demo.json") << R"({"textures": [], "shaders": [], "effects": [], "event_groups": [],
        "events": [], "audio_samples": [{"name": "resources/gone.wav"}], "music": ""})";
    loadJsonProject();
    EXPECT_EQ(statusText, "Could not load untitled.demo.json: File not found: resources/gone.wav");
    std::ofstream("untitled.demo") << "not a project at all";
    loadBinaryProject();
    EXPECT_EQ(statusText.rfind("Could not load untitled.demo: ", 0), 0u) << statusText;
    EXPECT_EQ(theDemo, open);
    EXPECT_EQ(theDemo->events.size(), 5u);
}

TEST_F(ProjectCommandsTest, ALoadReleasesThePreviousProjectOnlyOnceNothingUsesIt) {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0);
    ASSERT_TRUE(openAudioDevice());
    createFftConfig();
    theDemo->music->data = makeWav(std::vector<int16_t>(48000 * 2, 1000), 48000, 2);
    startMusic(*theDemo->music, true);
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    loopEvent = theDemo->events[0].get();
    saveBinaryProject();

    loadBinaryProject(); // the music played from the project this load releases
    EXPECT_EQ(statusText, "Loaded untitled.demo");
    EXPECT_EQ(loopEvent, nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "the new project's music";
    SDL_Delay(100);
    stopMusic();
    Mix_CloseAudio();
    SDL_Quit();
}

TEST_F(ProjectCommandsTest, ProjectFormSaveReportsFilesItCouldNotWrite) {
    theDemo->textures[0]->name = "/etc/quillfront.png";
    saveJsonProject(true);
    EXPECT_EQ(statusText, "Saved untitled.demo.json, but could not write /etc/quillfront.png");
}

TEST_F(ProjectCommandsTest, ExportWritesAnExecutablePlayer) {
    exportPlayer();
    ASSERT_TRUE(std::filesystem::exists("demo.exe"));
    const auto permissions = std::filesystem::status("demo.exe").permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    const std::string image = tryReadWholeFile("demo.exe").value();
    EXPECT_EQ(image.rfind("the program's bytes", 0), 0u);
    EXPECT_EQ(readAppendedProject("demo.exe"), writeBinaryProject(*theDemo));
}

TEST_F(ProjectCommandsTest, StartupPrefersContentDatJson) {
    std::ofstream("content.dat.json") << writeJsonProject(*buildRichProject(), false);
    writeFile(exePath, makePlayer(std::vector<uint8_t>{1, 2, 3}, Demo()));
    chooseProjectSource();
    EXPECT_STREQ(projectFileName, "content.dat");
    EXPECT_FALSE(playerMode);
    EXPECT_EQ(theDemo->events.size(), 5u);
}

TEST_F(ProjectCommandsTest, StartupPlaysAProjectAppendedToTheExecutable) {
    writeFile(exePath, makePlayer(std::vector<uint8_t>{1, 2, 3}, *buildRichProject()));
    chooseProjectSource();
    EXPECT_TRUE(playerMode);
    EXPECT_STREQ(projectFileName, "untitled.demo");
    EXPECT_EQ(theDemo->events.size(), 5u);
}

TEST_F(ProjectCommandsTest, StartupWithoutAProjectIsEmpty) {
    chooseProjectSource();
    EXPECT_FALSE(playerMode);
    EXPECT_TRUE(theDemo->events.empty());
    EXPECT_FLOAT_EQ(theDemo->end_beat, 480.0f);
}

TEST_F(ProjectCommandsTest, AProjectThatIsThereButBrokenEndsStartup) {
    std::vector<uint8_t> damaged = makePlayer(std::vector<uint8_t>{1, 2, 3}, *buildRichProject());
    damaged[3 + 20] ^= 0xFF;
    damaged[3 + 30] ^= 0xFF;
    writeFile(exePath, damaged);
    EXPECT_EXIT(chooseProjectSource(), ::testing::ExitedWithCode(1), "");
    const std::string report = tryReadWholeFile("crash.txt").value_or("");
    EXPECT_EQ(report.rfind("Fatal error: " + exePath + ": ", 0), 0u) << report;

    std::filesystem::remove("crash.txt");
    std::ofstream("content.dat.json") << "{ \"textures\": [] }";
    EXPECT_EXIT(chooseProjectSource(), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(tryReadWholeFile("crash.txt"),
              std::string("Fatal error: content.dat.json: Not a project: the \"shaders\" list is missing\nExiting."));
}

} // namespace
