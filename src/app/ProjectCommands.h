// The project file commands of the editor's File menu, and the choice of the
// project at start-up. Every load builds a new project and, only when it has
// loaded completely, makes it the current one: its music starts and the clock
// re-anchors. A load that fails says why on the status line and leaves the open
// project as it was.
#pragma once

#include "project/Demo.h"

#include <memory>

// Makes `demo` the current project and releases the previous one, once its
// music no longer plays.
void installProject(std::unique_ptr<Demo> demo);

// The binary project file is the project name as typed; the JSON file is the name plus ".json".
void loadBinaryProject();
void saveBinaryProject();
void loadJsonProject();
void saveJsonProject(bool projectForm);
// Writes "demo.exe": this executable with the project appended.
void exportPlayer();

// Start-up: "content.dat.json" in the working directory, else a project appended
// to the executable (player mode), else a new empty project. A project that is
// there but cannot be loaded ends the program through `fatal` with the reason.
// The music is started by the shell once the loader has run.
void chooseProjectSource();
