// Everything the running program keeps from frame to frame, in a few named
// parts with one owner: `runProgram` makes one AppState and passes it down.
// Tests make their own.
#pragma once

#include "app/Autosave.h"
#include "app/OpenProject.h"
#include "app/ShellState.h"
#include "audio/LiveMix.h"
#include "composition/BeatClock.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/StatusLine.h"
#include "player/LoaderScreen.h"
#include "player/ShellWindow.h"
#include "render/Camera.h"
#include "render/ScreenSize.h"

#include <memory>
#include <string>

struct AppState {
    ShellFlags shell;
    ShellWindow window;
    ScreenSize screen; // the window's size, fixed at start-up
    BeatClock clock;
    LiveMix liveMix; // the mix as heard: its analysis, volume and ducking; outlives the project's sounds
    OpenProject project;
    Camera camera;                  // the editor viewport's free camera
    StatusLine status{clock.ticks}; // the editor's status line, where commands report
    EditorState editor;
    Autosave autosave;                    // ends a write under way before the project goes
    std::unique_ptr<LoaderScreen> loader; // made once the window exists
    std::string exePath;                  // path that opens the running executable's image
    // The editor's file name field and the name the project file commands use.
    char projectFileName[projectFileNameSize] = "untitled.demo";
};
