#include "app/ProjectCommands.h"

#include "audio/Music.h"
#include "player/Fatal.h"
#include "project/DemoCopy.h"
#include "project/FileIo.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/ProjectOperations.h"
#include "project/SaveError.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace {

const char* const startupProjectFile = "content.dat.json";
const char* const playerFile = "demo.exe";

std::string binaryFileName(const AppState& app) { return app.projectFileName; }
std::string jsonFileName(const AppState& app) { return std::string(app.projectFileName) + ".json"; }

// " (and what else happened)" for the status line, or nothing.
std::string problemsNote(const std::vector<std::string>& problems) {
    std::string note;
    for (const std::string& problem : problems)
        note += (note.empty() ? " (" : "; ") + problem;
    return note.empty() ? note : note + ")";
}

bool loadAndInstall(AppState& app, const std::string& file, const std::function<std::unique_ptr<Demo>()>& read,
                    const std::string& done = "Loaded ") {
    std::string failure;
    std::unique_ptr<Demo> demo = tryReadProject(read, failure);
    if (!demo) {
        app.status.set("Could not load " + file + ": " + failure);
        return false;
    }
    installProject(app, std::move(demo));
    std::vector<std::string> problems = app.project.render->takeProblems();
    for (std::string& problem : app.project.audio->takeProblems())
        problems.push_back(std::move(problem));
    if (std::optional<std::string> refused = startMusic(app.liveMix, *app.project.demo->music, !app.shell.playerMode))
        problems.push_back("music: " + *refused);
    for (const std::string& repeated : repeatedNames(*app.project.demo))
        problems.push_back("more than one " + repeated);
    app.clock.anchor();
    app.status.set(done + file + problemsNote(problems));
    return true;
}

std::optional<std::string> readProjectBytes(AppState& app, const std::string& file) {
    std::optional<std::string> bytes = tryReadWholeFile(file);
    if (!bytes || bytes->empty()) {
        app.status.set("File \"" + file + "\" does not exist or is empty.");
        return std::nullopt;
    }
    return bytes;
}

std::unique_ptr<Demo> readBinaryBytes(const std::string& bytes) {
    return readBinaryProject(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

// The work is in the project file now: the recovery copy would only offer it again.
void removeRecoveryCopy(AppState& app) {
    app.autosave.forgetWritten(); // a write under way would put the copy back
    std::error_code ignored;
    std::filesystem::remove(recoveryPathFor(app.projectFileName), ignored);
    if (!app.autosave.lastPath().empty())
        std::filesystem::remove(app.autosave.lastPath(), ignored);
    app.editor.recoverableAutosave.clear();
}

std::string localTimeText(std::filesystem::file_time_type time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// Makes the bytes of a save; a project that cannot be written in the form says why.
std::optional<std::vector<uint8_t>> trySerialise(AppState& app, const std::string& file,
                                                 const std::function<std::vector<uint8_t>()>& write) {
    try {
        return write();
    } catch (const SaveError& error) {
        app.status.set("Could not save " + file + ": " + error.what());
    } catch (const std::bad_alloc&) {
        app.status.set("Could not save " + file + ": not enough memory");
    }
    return std::nullopt;
}

void reportSave(AppState& app, const std::string& file, std::error_code error,
                const std::vector<WriteFailure>& resourceFailures = {}) {
    if (error) {
        app.status.set("Could not save " + file + ": " + error.message());
        return;
    }
    app.editor.noteSaved();
    removeRecoveryCopy(app);
    std::string status = "Saved " + file;
    if (!resourceFailures.empty()) {
        status += ", but could not write";
        for (const WriteFailure& failure : resourceFailures)
            status += " " + failure.path + " (" + failure.reason + ")";
    }
    app.status.set(status);
}

[[noreturn]] void failStartup(const std::string& source, const std::string& reason) {
    fatal((source + ": " + reason).c_str());
}

std::unique_ptr<Demo> loadAtStartup(const std::string& source, const std::function<std::unique_ptr<Demo>()>& read) {
    std::string failure;
    std::unique_ptr<Demo> demo = tryReadProject(read, failure);
    if (!demo)
        failStartup(source, failure);
    return demo;
}

} // namespace

void forgetRemovedObject(AppState& app, const ObjectRef& object) {
    app.editor.forgetObject(object);
    if (refersTo(object, app.clock.loopEvent))
        app.clock.loopEvent = nullptr;
    app.project.left.push_back(object);
}

void installProject(AppState& app, std::unique_ptr<Demo> demo) {
    stopMusic(); // it streams from the previous project's bytes
    app.editor.forgetProject();
    app.editor.history.onRemoved = [&app](const ObjectRef& object) { forgetRemovedObject(app, object); };
    app.clock.loopEvent = nullptr;
    OpenProject project;
    project.audio = std::make_unique<AudioCache>(&app.liveMix);
    project.demo = std::move(demo);
    project.render->build(*project.demo, app.screen);
    project.audio->build(*project.demo);
    app.project = std::move(project);
}

void loadBinaryProject(AppState& app) {
    const std::string file = binaryFileName(app);
    if (const std::optional<std::string> bytes = readProjectBytes(app, file))
        loadAndInstall(app, file, [&] { return readBinaryBytes(*bytes); });
}

void saveBinaryProject(AppState& app) {
    const std::string file = binaryFileName(app);
    if (const auto bytes = trySerialise(app, file, [&] { return writeBinaryProject(*app.project.demo); }))
        reportSave(app, file, writeWholeFile(file, *bytes));
}

void loadJsonProject(AppState& app) {
    const std::string file = jsonFileName(app);
    if (const std::optional<std::string> text = readProjectBytes(app, file))
        loadAndInstall(app, file, [&] { return readJsonProject(*text); });
}

namespace {

// Writes the project form's resource files, telling the editor which it wrote.
std::vector<WriteFailure> writeProjectResources(AppState& app, const Demo& demo) {
    const std::vector<ResourceFile> files = projectResourceFiles(demo);
    const std::vector<WriteFailure> failures = writeResourceFiles(files);
    for (const ResourceFile& file : files)
        if (std::none_of(failures.begin(), failures.end(),
                         [&](const WriteFailure& failure) { return failure.path == file.path; }))
            app.editor.noteFileWritten(file.path);
    return failures;
}

} // namespace

void saveJsonProject(AppState& app, bool projectForm) {
    const std::string file = jsonFileName(app);
    const Demo& demo = *app.project.demo;
    const std::string text = writeJsonProject(demo, projectForm);
    const std::vector<WriteFailure> resourceFailures =
        projectForm ? writeProjectResources(app, demo) : std::vector<WriteFailure>();
    reportSave(app, file, writeWholeFile(file, text), resourceFailures);
}

void exportPlayer(AppState& app) {
    const std::optional<std::string> executable = tryReadWholeFile(app.exePath);
    if (!executable) {
        app.status.set("Could not read this executable from " + app.exePath);
        return;
    }
    const auto* executableBytes = reinterpret_cast<const uint8_t*>(executable->data());
    const auto player = trySerialise(
        app, playerFile, [&] { return makePlayer(std::span(executableBytes, executable->size()), *app.project.demo); });
    if (!player)
        return;
    std::error_code error = writeWholeFile(playerFile, *player);
    if (!error) {
        using std::filesystem::perms;
        std::filesystem::permissions(playerFile, perms::owner_exec | perms::group_exec | perms::others_exec,
                                     std::filesystem::perm_options::add, error);
    }
    if (error)
        app.status.set(std::string("Could not write ") + playerFile + ": " + error.message());
    else
        app.status.set(std::string("Exported ") + playerFile);
}

void importMusic(AppState& app) {
    const char* const file = "resources/music.mp3";
    const std::optional<std::string> bytes = tryReadWholeFile(file);
    if (!bytes || bytes->empty()) {
        app.status.set(std::string("Could not import ") + file + ": it is missing or empty");
        return;
    }
    auto music =
        std::make_unique<ByteBuffer>(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
    if (const std::optional<std::string> problem = musicProblem(*music)) {
        app.status.set(std::string("Could not import ") + file + ": " + *problem);
        return;
    }
    // Through the edit history, so an import undoes: either way the music now in
    // the project starts from its beginning, the clock with it.
    const size_t musicBytes = music->size();
    auto other = std::make_shared<std::unique_ptr<ByteBuffer>>(std::move(music));
    const auto swapMusic = [&app, other] {
        stopMusic(); // it streams from the bytes about to be replaced
        std::swap(app.project.demo->music, *other);
        startMusic(app.liveMix, *app.project.demo->music, !app.shell.playerMode);
        app.clock.anchor();
    };
    app.editor.history.perform({.name = "Import music",
                                .redo = swapMusic,
                                .undo = swapMusic,
                                .redoBytes = musicBytes,
                                .undoBytes = musicBytes});
    app.status.set(std::string("Imported ") + file);
}

void offerRecovery(AppState& app) {
    std::error_code missing;
    const auto copyTime = std::filesystem::last_write_time(recoveryPathFor(app.projectFileName), missing);
    if (missing)
        return;
    const auto projectTime = std::filesystem::last_write_time(jsonFileName(app), missing);
    if (!missing && projectTime >= copyTime)
        return;
    app.editor.recoverableAutosave = localTimeText(copyTime);
    app.editor.announceRecovery = true;
}

void recoverAutosave(AppState& app) {
    const std::string file = recoveryPathFor(app.projectFileName).string();
    const std::optional<std::string> bytes = readProjectBytes(app, file);
    if (!bytes || !loadAndInstall(
                      app, file, [&] { return readBinaryBytes(*bytes); }, "Recovered "))
        return;
    app.editor.noteNeverSaved(); // the project file still holds the older work
    app.editor.recoverableAutosave.clear();
}

void autosaveIfDue(AppState& app) {
    if (app.shell.playerMode)
        return;
    Autosave& autosave = app.autosave;
    if (const std::optional<std::string> failure = autosave.takeResult(); failure && !failure->empty())
        app.status.set("Could not autosave " + autosave.lastPath().string() + ": " + *failure);
    const uint64_t position = app.editor.history.position();
    const auto now = Autosave::Clock::now();
    if (!app.editor.unsaved() || !autosave.due(position, now))
        return;
    // The copy the File menu offers is about to hold this session's work instead.
    app.editor.recoverableAutosave.clear();
    autosave.start(copyDemo(*app.project.demo), recoveryPathFor(app.projectFileName), position, now);
}

void autosaveBeforeQuit(AppState& app) {
    app.autosave.interval = {};
    autosaveIfDue(app);
    app.autosave.waitForWrite();
}

void runEditorRequests(AppState& app) {
    app.project.releaseWhatLeft();
    const EditorRequests requests = std::exchange(app.editor.requests, {});
    if (requests.loadBinary)
        loadBinaryProject(app);
    if (requests.loadJson)
        loadJsonProject(app);
    if (requests.recoverAutosave)
        recoverAutosave(app);
    if (requests.saveBinary)
        saveBinaryProject(app);
    if (requests.saveJsonComplete)
        saveJsonProject(app, false);
    if (requests.saveJsonProject)
        saveJsonProject(app, true);
    if (requests.importMusic)
        importMusic(app);
    if (requests.exportExecutable)
        exportPlayer(app);
}

void chooseProjectSource(AppState& app, const LoadProgress& progress) {
    if (const std::optional<std::string> text = tryReadWholeFile(startupProjectFile)) {
        std::snprintf(app.projectFileName, projectFileNameSize, "content.dat");
        installProject(app, loadAtStartup(startupProjectFile, [&] { return readJsonProject(*text, progress); }));
        return;
    }
    std::optional<std::vector<uint8_t>> appended;
    try {
        appended = readAppendedProject(app.exePath);
    } catch (const LoadError& error) {
        failStartup(app.exePath, error.what());
    }
    if (appended) {
        app.shell.playerMode = true;
        installProject(app, loadAtStartup(app.exePath, [&] { return readBinaryProject(*appended, progress); }));
        return;
    }
    installProject(app, std::make_unique<Demo>());
}
