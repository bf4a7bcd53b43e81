// The shell's own state: the flags that decide when the program ends and
// whether the editor is drawn.
#pragma once

#include <atomic>

struct ShellFlags {
    // The main loop ends after the frame in which this becomes true. Atomic because
    // the event watcher may set it from another thread.
    std::atomic<bool> quitRequested{false};
    bool editorVisible = false;   // the editor GUI is drawn this frame
    bool editorEverShown = false; // once set, neither Escape nor the end beat ends the program
    bool playerMode = false;      // the project came from the executable's own tail
    bool quickStart = false;      // for tests: the loader screen shows its frames without waiting
};
