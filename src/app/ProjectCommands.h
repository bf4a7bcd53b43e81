// The project file commands of the editor's File menu, and the choice of the
// project at start-up. Every load builds a new project and, only when it has
// loaded completely, makes it the open one: its caches are built, its music
// starts and the clock re-anchors. Every command says on the status line what it
// did, or why it failed; a load that fails leaves the open project as it was.
#pragma once

#include "app/AppState.h"
#include "project/LoadProgress.h"

#include <memory>

// Drops everything that points at `object`, which an edit has taken out of the
// project: the editor's selections and the loop now, what the caches built from
// it at the next frame.
void forgetRemovedObject(AppState& app, const ObjectRef& object);

// Makes `demo` the open project, with new caches built from it, and releases the
// previous one once its music no longer plays. Any loop of the previous project
// ends.
void installProject(AppState& app, std::unique_ptr<Demo> demo);

// The binary project file is the project name as typed; the JSON file is the name plus ".json".
void loadBinaryProject(AppState& app);
void saveBinaryProject(AppState& app);
void loadJsonProject(AppState& app);
// With `projectForm` the resource files are written beside the project file too.
void saveJsonProject(AppState& app, bool projectForm);
// Writes "demo.exe": this executable with the project appended.
void exportPlayer(AppState& app);
// Replaces the project's music with "resources/music.mp3" and plays it from the
// start, the clock with it. A file that is missing or cannot be played leaves
// the music as it was, with the reason on the status line.
void importMusic(AppState& app);
// At start-up: a recovery copy newer than the project file is offered in the
// File menu, and told of when the editor first shows. It is never loaded unasked.
void offerRecovery(AppState& app);
// Loads the recovery copy as a load does. The project file stays as it was
// until the author saves, which removes the copy; a copy that fails to load is
// kept, with the reason on the status line.
void recoverAutosave(AppState& app);
// Called every frame: starts writing the recovery copy when the project has
// unsaved changes the last copy lacks and the interval has passed, and reports
// a write that failed. A player never autosaves. A copy offered for recovery
// stops being offered once this session overwrites it.
void autosaveIfDue(AppState& app);
// Quitting writes the unsaved changes the last copy lacks, without waiting for
// the interval: the next start offers all of them.
void autosaveBeforeQuit(AppState& app);
// Runs the project commands the editor asked for this frame, after releasing
// what the caches built from objects that left the project.
void runEditorRequests(AppState& app);

// Start-up: "content.dat.json" in the working directory, else a project appended
// to the executable (player mode), else a new empty project. A project that is
// there but cannot be loaded ends the program through `fatal` with the reason.
// The music is started by the shell once the loader has run.
void chooseProjectSource(AppState& app, const LoadProgress& progress);
