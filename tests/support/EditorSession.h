// The real program started in this process on a copy of the bundled example
// (or in an empty folder, on no project), with the editor shown and a
// GuiDriver on it. Starting takes about two
// seconds: the loader screen does not wait in tests.
#pragma once

#include "app/AppState.h"
#include "support/GuiDriver.h"
#include "support/TempDir.h"

enum class StartIn { example, emptyFolder };

class EditorSession {
public:
    explicit EditorSession(StartIn folder = StartIn::example);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    bool started() const { return started_; }
    Demo& demo() { return *app.project.demo; }

    TempDir dir; // the working folder: the example's copy
    AppState app;
    GuiDriver gui{app};

private:
    bool started_ = false;
};
