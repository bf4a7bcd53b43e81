#include "app/ProjectCommands.h"

#include "app/BeatClock.h"
#include "app/Fatal.h"
#include "app/ShellState.h"
#include "audio/Music.h"
#include "editor/StatusLine.h"
#include "project/CodecError.h"
#include "project/FileIo.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/ResourceFiles.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace {

const char* const startupProjectFile = "content.dat.json";
const char* const playerFile = "demo.exe";

std::unique_ptr<Demo> currentProject;

std::string binaryFileName() { return projectFileName; }
std::string jsonFileName() { return std::string(projectFileName) + ".json"; }

// Runs `read`, turning every way a project file can be unusable into a message.
std::unique_ptr<Demo> tryLoad(const std::function<std::unique_ptr<Demo>()>& read, std::string& failure) {
    try {
        return read();
    } catch (const LoadError& error) {
        failure = error.what();
    } catch (const CodecError& error) {
        failure = error.what();
    } catch (const std::bad_alloc&) {
        failure = "not enough memory";
    }
    return nullptr;
}

void loadAndInstall(const std::string& file, const std::function<std::unique_ptr<Demo>()>& read) {
    std::string failure;
    std::unique_ptr<Demo> demo = tryLoad(read, failure);
    if (!demo) {
        setStatus("Could not load " + file + ": " + failure);
        return;
    }
    installProject(std::move(demo));
    startMusic(*theDemo->music, !playerMode);
    beatClock.anchor();
    setStatus("Loaded " + file);
}

void reportSave(const std::string& file, std::error_code error) {
    const std::vector<std::string> stale = takeResourceWriteFailures();
    if (error) {
        setStatus("Could not save " + file + ": " + error.message());
        return;
    }
    std::string status = "Saved " + file;
    if (!stale.empty()) {
        status += ", but could not write";
        for (const std::string& path : stale)
            status += " " + path;
    }
    setStatus(status);
}

[[noreturn]] void failStartup(const std::string& source, const std::string& reason) {
    fatal((source + ": " + reason).c_str());
}

std::unique_ptr<Demo> loadAtStartup(const std::string& source, const std::function<std::unique_ptr<Demo>()>& read) {
    std::string failure;
    std::unique_ptr<Demo> demo = tryLoad(read, failure);
    if (!demo)
        failStartup(source, failure);
    return demo;
}

std::unique_ptr<Demo> emptyProject() {
    auto demo = std::make_unique<Demo>();
    demo->createSoundTexture();
    return demo;
}

} // namespace

void installProject(std::unique_ptr<Demo> demo) {
    stopMusic(); // it streams from the previous project's bytes
    currentProject = std::move(demo);
    theDemo = currentProject.get();
}

void loadBinaryProject() {
    const std::string file = binaryFileName();
    const std::optional<std::string> bytes = tryReadWholeFile(file);
    if (!bytes || bytes->empty()) {
        setStatus("File \"" + file + "\" does not exist or is empty.");
        return;
    }
    loadAndInstall(file, [&] {
        return readBinaryProject(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
    });
}

void saveBinaryProject() {
    const std::string file = binaryFileName();
    reportSave(file, writeWholeFile(file, writeBinaryProject(*theDemo)));
}

void loadJsonProject() {
    const std::string file = jsonFileName();
    const std::optional<std::string> text = tryReadWholeFile(file);
    if (!text || text->empty()) {
        setStatus("File \"" + file + "\" does not exist or is empty.");
        return;
    }
    loadAndInstall(file, [&] { return readJsonProject(*text); });
}

void saveJsonProject(bool projectForm) {
    const std::string file = jsonFileName();
    const std::string text = writeJsonProject(*theDemo, projectForm);
    reportSave(file, writeWholeFile(file, text));
}

void exportPlayer() {
    const std::optional<std::string> executable = tryReadWholeFile(exePath);
    if (!executable) {
        setStatus("Could not read this executable from " + exePath);
        return;
    }
    std::error_code error;
    try {
        const auto* bytes = reinterpret_cast<const uint8_t*>(executable->data());
        error = writeWholeFile(playerFile, makePlayer(std::span(bytes, executable->size()), *theDemo));
    } catch (const LoadError& tooLarge) {
        setStatus(std::string("Could not write ") + playerFile + ": " + tooLarge.what());
        return;
    }
    if (!error) {
        using std::filesystem::perms;
        std::filesystem::permissions(playerFile, perms::owner_exec | perms::group_exec | perms::others_exec,
                                     std::filesystem::perm_options::add, error);
    }
    if (error)
        setStatus(std::string("Could not write ") + playerFile + ": " + error.message());
}

void chooseProjectSource() {
    if (const std::optional<std::string> text = tryReadWholeFile(startupProjectFile)) {
        std::snprintf(projectFileName, projectFileNameSize, "content.dat");
        installProject(loadAtStartup(startupProjectFile, [&] { return readJsonProject(*text); }));
        return;
    }
    std::optional<std::vector<uint8_t>> appended;
    try {
        appended = readAppendedProject(exePath);
    } catch (const LoadError& error) {
        failStartup(exePath, error.what());
    }
    if (appended) {
        playerMode = true;
        installProject(loadAtStartup(exePath, [&] { return readBinaryProject(*appended); }));
        return;
    }
    installProject(emptyProject());
}
