// The File menu's commands and the start-up choice of the project.
#include "app/ProjectCommands.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "editor/edits/ProjectEdits.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/GlWindow.h"
#include "support/RichProject.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <GL/glew.h>
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
    GlWindow window{64, 36}; // installing a project builds its GL objects
    AppState app;
    const std::string& status = app.status.text;

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        dir.enter();
        app.exePath = (dir.path() / "quillfront").string();
        std::ofstream(app.exePath) << "the program's bytes";
        installProject(app, buildRichProject());
    }
    Demo& demo() { return *app.project.demo; }
    // The mixer on the dummy driver, playing a second of a tone as the project's music.
    void playSomeMusic() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0);
        ASSERT_TRUE(openAudioDevice());
        demo().music->data = makeWav(std::vector<int16_t>(48000 * 2, 1000), 48000, 2);
        startMusic(app.liveMix, *demo().music, true);
    }
    void closeAudio() {
        stopMusic();
        app.project = OpenProject(); // its chunks go before the mixer does
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_TIMER);
    }
};

TEST_F(ProjectCommandsTest, SavedProjectsLoadBackUnderTheTypedName) {
    saveBinaryProject(app);
    EXPECT_EQ(status, "Saved untitled.demo");
    saveJsonProject(app, false);
    EXPECT_EQ(status, "Saved untitled.demo.json");
    const std::string saved = writeJsonProject(demo(), false);

    installProject(app, std::make_unique<Demo>());
    loadJsonProject(app);
    // The rich project's font is a few bytes only: it loads, and the load says it cannot be opened.
    EXPECT_EQ(status, "Loaded untitled.demo.json (resources/sans.ttf (32 pt): The font file is truncated or "
                      "damaged: its tables lie past its end)");
    EXPECT_EQ(writeJsonProject(demo(), false), saved);
    installProject(app, std::make_unique<Demo>());
    loadBinaryProject(app);
    EXPECT_EQ(status.rfind("Loaded untitled.demo (", 0), 0u) << status;
    EXPECT_EQ(writeJsonProject(demo(), false), saved);
}

TEST_F(ProjectCommandsTest, ALoadKeepsRepeatedNamesAndSaysWhichRepeat) {
    demo().events[1]->name = demo().events[0]->name;
    saveJsonProject(app, false);
    loadJsonProject(app);
    EXPECT_NE(status.find("more than one event \"intro\""), std::string::npos) << status;
    EXPECT_EQ(demo().events[1]->name, "intro");
}

TEST_F(ProjectCommandsTest, AFailedLoadKeepsTheOpenProject) {
    const Demo* open = &demo();
    loadJsonProject(app);
    EXPECT_EQ(status, "File \"untitled.demo.json\" does not exist or is empty.");
    std::ofstream("untitled.demo.json") << R"({"textures": [], "shaders": [], "effects": [], "event_groups": [],
        "events": [], "audio_samples": [{"name": "resources/gone.wav"}], "music": ""})";
    loadJsonProject(app);
    EXPECT_EQ(status, "Could not load untitled.demo.json: File not found: resources/gone.wav");
    std::ofstream("untitled.demo") << "not a project at all";
    loadBinaryProject(app);
    EXPECT_EQ(status.rfind("Could not load untitled.demo: ", 0), 0u) << status;
    EXPECT_EQ(&demo(), open);
    EXPECT_EQ(demo().events.size(), 5u);
}

TEST_F(ProjectCommandsTest, ALoadReleasesThePreviousProjectOnlyOnceNothingUsesIt) {
    ASSERT_NO_FATAL_FAILURE(playSomeMusic());
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    app.clock.loopEvent = demo().events[0].get();
    saveBinaryProject(app);

    loadBinaryProject(app); // the music played from the project this load releases
    EXPECT_EQ(status.rfind("Loaded untitled.demo", 0), 0u) << status;
    EXPECT_EQ(app.clock.loopEvent, nullptr);
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "the new project's music";
    SDL_Delay(100);
    closeAudio();
}

TEST_F(ProjectCommandsTest, ProjectFormSaveReportsFilesItCouldNotWrite) {
    demo().textures[0]->name = "/etc/quillfront.png";
    saveJsonProject(app, true);
    EXPECT_EQ(status, "Saved untitled.demo.json, but could not write /etc/quillfront.png (not a path inside the "
                      "working directory)");
}

TEST_F(ProjectCommandsTest, ASaveTheBinaryFormCannotHoldWritesNothing) {
    demo().events[0]->type = 300;
    saveBinaryProject(app);
    EXPECT_EQ(status, "Could not save untitled.demo: Event \"intro\" has type 300; the binary form holds types 0 to "
                      "255");
    EXPECT_FALSE(std::filesystem::exists("untitled.demo"));
    exportPlayer(app);
    EXPECT_EQ(status.rfind("Could not save demo.exe: Event \"intro\"", 0), 0u) << status;
    EXPECT_FALSE(std::filesystem::exists("demo.exe"));
    saveJsonProject(app, false);
    EXPECT_EQ(status, "Saved untitled.demo.json") << "the JSON form holds any type";
    EXPECT_EQ(demo().events[0]->type, 300);
}

TEST_F(ProjectCommandsTest, ExportWritesAnExecutablePlayer) {
    exportPlayer(app);
    ASSERT_TRUE(std::filesystem::exists("demo.exe"));
    const auto permissions = std::filesystem::status("demo.exe").permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    const std::string image = tryReadWholeFile("demo.exe").value();
    EXPECT_EQ(image.rfind("the program's bytes", 0), 0u);
    EXPECT_EQ(readAppendedProject("demo.exe"), writeBinaryProject(demo()));
    exportPlayer(app);
    EXPECT_EQ(tryReadWholeFile("demo.exe").value(), image) << "the same project exports the same player";
}

TEST_F(ProjectCommandsTest, StartupPrefersContentDatJson) {
    std::ofstream("content.dat.json") << writeJsonProject(*buildRichProject(), false);
    writeFile(app.exePath, makePlayer(std::vector<uint8_t>{1, 2, 3}, Demo()));
    chooseProjectSource(app, {});
    EXPECT_STREQ(app.projectFileName, "content.dat");
    EXPECT_FALSE(app.shell.playerMode);
    EXPECT_EQ(demo().events.size(), 5u);
}

TEST_F(ProjectCommandsTest, StartupPlaysAProjectAppendedToTheExecutable) {
    writeFile(app.exePath, makePlayer(std::vector<uint8_t>{1, 2, 3}, *buildRichProject()));
    chooseProjectSource(app, {});
    EXPECT_TRUE(app.shell.playerMode);
    EXPECT_STREQ(app.projectFileName, "untitled.demo");
    EXPECT_EQ(demo().events.size(), 5u);
}

TEST_F(ProjectCommandsTest, StartupWithoutAProjectIsEmpty) {
    chooseProjectSource(app, {});
    EXPECT_FALSE(app.shell.playerMode);
    EXPECT_TRUE(demo().events.empty());
    EXPECT_FLOAT_EQ(demo().end_beat, 480.0f);
}

TEST_F(ProjectCommandsTest, AProjectThatIsThereButBrokenEndsStartup) {
    std::vector<uint8_t> damaged = makePlayer(std::vector<uint8_t>{1, 2, 3}, *buildRichProject());
    damaged[3 + 20] ^= 0xFF;
    damaged[3 + 30] ^= 0xFF;
    writeFile(app.exePath, damaged);
    EXPECT_EXIT(chooseProjectSource(app, {}), ::testing::ExitedWithCode(1), "");
    const std::string report = tryReadWholeFile("crash.txt").value_or("");
    EXPECT_EQ(report.rfind("Fatal error: " + app.exePath + ": ", 0), 0u) << report;

    std::filesystem::remove("crash.txt");
    std::ofstream("content.dat.json") << "{ \"textures\": [] }";
    EXPECT_EXIT(chooseProjectSource(app, {}), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(tryReadWholeFile("crash.txt"),
              std::string("Fatal error: content.dat.json: Not a project: the \"shaders\" list is missing\nExiting."));
}

} // namespace

namespace {

TEST_F(ProjectCommandsTest, ImportingMusicReplacesItOnlyWithMusicTheMixerPlays) {
    ASSERT_NO_FATAL_FAILURE(playSomeMusic());
    const ByteBuffer* playing = demo().music.get();

    importMusic(app);
    EXPECT_EQ(status, "Could not import resources/music.mp3: it is missing or empty");
    std::filesystem::create_directory("resources");
    std::ofstream("resources/music.mp3") << "not music at all, just words";
    importMusic(app);
    EXPECT_EQ(status.rfind("Could not import resources/music.mp3: the mixer cannot play it", 0), 0u) << status;
    EXPECT_EQ(demo().music.get(), playing) << "the music stays";
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "and keeps playing";

    std::filesystem::copy_file(QUILLFRONT_EXAMPLE "/resources/music.mp3", "resources/music.mp3",
                               std::filesystem::copy_options::overwrite_existing);
    importMusic(app);
    EXPECT_EQ(status, "Imported resources/music.mp3");
    const std::string imported = tryReadWholeFile("resources/music.mp3").value();
    EXPECT_EQ(demo().music->size(), imported.size());
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    const std::vector<uint8_t> tone = makeWav(std::vector<int16_t>(48000 * 2, 1000), 48000, 2);
    app.editor.history.undo();
    EXPECT_EQ(app.editor.history.redoName(), "Import music");
    EXPECT_EQ(demo().music->data, tone) << "undo brings the previous music back";
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    app.editor.history.redo();
    EXPECT_EQ(demo().music->size(), imported.size());
    closeAudio();
}

TEST_F(ProjectCommandsTest, AnObjectAnEditRemovesLeavesTheCachesAtTheNextFrameAndTheLoop) {
    Effect& feedback = *demo().effects[0];
    const uint32_t output = app.project.render->effect(feedback).output.texture;
    ASSERT_TRUE(glIsTexture(output));
    Event& intro = *demo().events[0];
    app.clock.loopEvent = &intro;
    removeObject(app.editor.history, demo(), intro);
    EXPECT_EQ(app.clock.loopEvent, nullptr);

    removeObject(app.editor.history, demo(), feedback);
    EXPECT_TRUE(glIsTexture(output)) << "the GUI may still draw it this frame";
    runEditorRequests(app);
    EXPECT_FALSE(glIsTexture(output));
    app.editor.history.undo();
    EXPECT_EQ(app.project.render->effect(feedback).output.texture, 0u) << "made afresh when it comes back";
}

} // namespace
