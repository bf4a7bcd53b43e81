// The recovery copy: written while changes are unsaved, removed by a save,
// offered at start-up and loaded only when asked; and saves and autosaves on a
// full disk.
#include "app/ProjectCommands.h"
#include "editor/edits/ProjectEdits.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "support/GlWindow.h"
#include "support/RichProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* const copyName = ".untitled.demo.recovery.demo";

class AutosaveTest : public ::testing::Test {
protected:
    TempDir dir;
    GlWindow window{64, 36}; // installing a project builds its GL objects
    AppState app;

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        dir.enter();
        installProject(app, buildRichProject());
        app.autosave.interval = 0s;
    }
    Demo& demo() { return *app.project.demo; }
    void setBpm(float bpm) { setTransportValue(app.editor.history, demo(), TransportField::Bpm, bpm); }
    // One frame's turn of the autosave, with the write it starts carried through.
    void autosaveNow() {
        autosaveIfDue(app);
        app.autosave.waitForWrite();
        autosaveIfDue(app); // reports how the write ended
    }
    float copiedBpm() {
        const std::optional<std::string> bytes = tryReadWholeFile(copyName);
        if (!bytes)
            return -1.0f;
        return readBinaryProject(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()))->bpm;
    }
};

TEST_F(AutosaveTest, UnsavedChangesAreCopiedAtMostOncePerIntervalAndASaveRemovesTheCopy) {
    autosaveNow();
    EXPECT_FALSE(fs::exists(copyName)) << "nothing to protect";

    setBpm(150.0f);
    autosaveNow();
    EXPECT_EQ(copiedBpm(), 150.0f);
    const std::vector<uint8_t> expected = writeBinaryProject(demo());
    EXPECT_EQ(tryReadWholeFile(copyName), std::string(expected.begin(), expected.end()));

    app.autosave.interval = 1h;
    setBpm(160.0f);
    autosaveNow();
    EXPECT_EQ(copiedBpm(), 150.0f) << "the interval has not passed";

    saveJsonProject(app, true);
    EXPECT_EQ(app.status.text, "Saved untitled.demo.json");
    EXPECT_FALSE(fs::exists(copyName));

    app.autosave.interval = 0s;
    setBpm(170.0f);
    autosaveNow();
    loadJsonProject(app);
    EXPECT_EQ(demo().bpm, 160.0f);
    EXPECT_EQ(copiedBpm(), 170.0f) << "a load keeps the copy of the work it replaced";
    autosaveNow();
    EXPECT_EQ(copiedBpm(), 170.0f) << "the loaded project has nothing unsaved";
}

TEST_F(AutosaveTest, QuittingWritesWhatTheCopyLacksAndAnOverwrittenCopyIsNoLongerOffered) {
    app.autosave.interval = 1h;
    app.editor.recoverableAutosave = "an earlier session's";
    setBpm(150.0f);
    autosaveIfDue(app);
    EXPECT_FALSE(fs::exists(copyName)) << "the interval has not passed";
    autosaveBeforeQuit(app);
    EXPECT_EQ(copiedBpm(), 150.0f);
    EXPECT_TRUE(app.editor.recoverableAutosave.empty());
}

TEST_F(AutosaveTest, APlayerNeverAutosaves) {
    app.shell.playerMode = true;
    setBpm(150.0f);
    autosaveNow();
    autosaveBeforeQuit(app);
    EXPECT_FALSE(fs::exists(copyName));
}

TEST_F(AutosaveTest, ANewerCopyIsOfferedAndLoadedOnlyWhenAsked) {
    saveJsonProject(app, true);
    const std::string savedFile = *tryReadWholeFile("untitled.demo.json");
    setBpm(150.0f);
    autosaveNow();
    installProject(app, buildRichProject()); // as a new start on the folder

    offerRecovery(app);
    EXPECT_FALSE(app.editor.recoverableAutosave.empty());
    EXPECT_TRUE(app.editor.announceRecovery);
    EXPECT_NE(demo().bpm, 150.0f) << "nothing is loaded unasked";

    recoverAutosave(app);
    EXPECT_EQ(app.status.text.rfind(std::string("Recovered ") + copyName, 0), 0u) << app.status.text;
    EXPECT_EQ(demo().bpm, 150.0f);
    EXPECT_FALSE(app.editor.history.canUndo());
    EXPECT_TRUE(app.editor.unsaved()) << "the project file still holds the older work";
    EXPECT_EQ(tryReadWholeFile("untitled.demo.json"), savedFile);
    EXPECT_TRUE(fs::exists(copyName));

    saveJsonProject(app, true);
    EXPECT_FALSE(fs::exists(copyName));
    EXPECT_TRUE(app.editor.recoverableAutosave.empty());
}

TEST_F(AutosaveTest, ACopyOlderThanTheProjectIsNotOffered) {
    setBpm(150.0f);
    autosaveNow();
    saveJsonProject(app, false);
    std::ofstream(copyName) << "left by an older version";
    fs::last_write_time(copyName, fs::last_write_time("untitled.demo.json") - 1h);
    offerRecovery(app);
    EXPECT_TRUE(app.editor.recoverableAutosave.empty());
}

TEST_F(AutosaveTest, ACopyThatFailsToLoadIsKeptAndTheProjectStays) {
    std::ofstream(copyName) << "damaged";
    const Demo* open = &demo();
    offerRecovery(app);
    recoverAutosave(app);
    EXPECT_EQ(app.status.text.rfind(std::string("Could not load ") + copyName + ": ", 0), 0u) << app.status.text;
    EXPECT_EQ(&demo(), open);
    EXPECT_TRUE(fs::exists(copyName));
    EXPECT_FALSE(app.editor.recoverableAutosave.empty()) << "still offered";
}

// The limit `ulimit -f` sets, with the signal that would end the process ignored.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(AutosaveTest, AFullDiskKeepsTheEarlierFilesWholeAndSaysWhy) {
    saveJsonProject(app, false);
    setBpm(150.0f);
    autosaveNow();
    const std::optional<std::string> savedFile = tryReadWholeFile("untitled.demo.json");
    const std::optional<std::string> copiedFile = tryReadWholeFile(copyName);
    demo().textures[0]->imageBuffer->data.resize(size_t{1} << 20, 7); // larger than the limit
    setBpm(160.0f);
    {
        const FileSizeLimit limit(savedFile->size() + copiedFile->size());
        saveJsonProject(app, false);
        EXPECT_EQ(app.status.text, "Could not save untitled.demo.json: File too large");
        autosaveNow();
        EXPECT_EQ(app.status.text, std::string("Could not autosave ") + copyName + ": File too large");
    }
    EXPECT_EQ(tryReadWholeFile("untitled.demo.json"), savedFile);
    EXPECT_EQ(tryReadWholeFile(copyName), copiedFile);
    EXPECT_TRUE(app.editor.unsaved());
    for (const fs::directory_entry& entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();

    autosaveNow();
    EXPECT_EQ(copiedBpm(), 160.0f) << "the next autosave tries again";
}

} // namespace
