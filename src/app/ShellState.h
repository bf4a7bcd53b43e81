// Process-wide state of the shell: the flags that decide when the program ends
// and whether the editor is drawn, and where the running executable lives.
// Plain globals, created once and alive for the whole run.
#pragma once

#include <atomic>
#include <string>

// The main loop ends after the frame in which this becomes true. Atomic because
// the event watcher may set it from another thread.
extern std::atomic<bool> quitRequested;
extern bool editorVisible;   // the editor GUI is drawn this frame
extern bool editorEverShown; // once set, neither Escape nor the end beat ends the program
extern bool playerMode;      // the project came from the executable's own tail
extern std::string exePath;  // path that opens the running executable's image

constexpr int projectFileNameSize = 256;
// The editor's file name field and the name the project file commands use.
extern char projectFileName[projectFileNameSize];
