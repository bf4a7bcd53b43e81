#include "support/EditorSession.h"

#include "app/Autosave.h"
#include "app/Shell.h"
#include "support/StdoutCapture.h"

#include <gtest/gtest.h>

#include <filesystem>

EditorSession::EditorSession(StartIn folder) {
    if (folder == StartIn::example) {
        std::filesystem::copy(QUILLFRONT_EXAMPLE, dir.path(), std::filesystem::copy_options::recursive);
        // What a run of the program in the example's folder leaves there (its window
        // layout, an autosave) is not part of the example.
        std::filesystem::remove(dir.path() / "imgui.ini");
        std::filesystem::remove(dir.path() / recoveryPathFor("content.dat.json"));
    }
    dir.enter();
    int status = -1;
    StdoutCapture quiet; // the loader lists every file it reads
    app.shell.quickStart = true;
    started_ = startUp(app, "/proc/self/exe", status);
    quiet.text();
    if (!started_) {
        ADD_FAILURE() << "the program did not start: exit status " << status;
        return;
    }
    gui.ctrlKey(SDLK_t);
    gui.frames(3);
}

EditorSession::~EditorSession() {
    if (started_)
        shutDown(app);
}
