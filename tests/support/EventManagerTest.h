// A test fixture: the real editor on the bundled example, paused, with the
// Event Manager open in the Shader Editor's place, and the paths to its parts.
#pragma once

#include "editor/windows/MainMenu.h"
#include "project/ProjectFiles.h"
#include "support/PausedEditorTest.h"

#include <gtest/gtest.h>

#include <string>

inline const char* const events = "Event Manager";
inline const char* const groups = "Event Group Manager";
inline const ItemPath listCommands{events, "EventsLeft"};
inline const ItemPath inspector{events, "Control points"};
inline const ItemPath groupInspector{groups, "Inspector"};

// A row of the events list, by the event's index.
inline ItemPath row(int index) { return ItemPath{events, "EventsLeft", "EventSelectables", index}; }

// The bundled example's events, by index.
enum ExampleEvent {
    sky = 0,
    composite = 3,
    titles = 4,
    flash = 6,
    firstFlash = 7,
    secondFlash = 8,
    whoosh15 = 9,
};

class EventManagerTest : public PausedEditorTest {
protected:
    void SetUp() override {
        PausedEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        gui.ctrlShiftKey(SDLK_s); // the Shader Editor would share the Event Manager's place
        gui.ctrlShiftKey(SDLK_e);
    }

    Demo& demo() { return session.demo(); }
    Event& event(int index) { return *demo().events.at(static_cast<size_t>(index)); }
    std::string saved() { return writeJsonProject(demo(), true); }
    void select(int index) { gui.click(row(index) / event(index).name); }

    // The window reached the model operation named `step`: the project changed
    // and that operation is what Ctrl+Z would take back. That every operation's
    // undo and redo give the saved bytes is the edit table's test.
    void expectStep(const std::string& before, const std::string& step) {
        EXPECT_FALSE(saved() == before) << step << " changed nothing";
        EXPECT_EQ(session.app.editor.history.undoName(), step);
    }
    // A gesture over many frames (typing, a drag) became one step: one Ctrl+Z
    // gives `before` back.
    void expectOneStep(const std::string& before, const std::string& step) {
        expectStep(before, step);
        gui.ctrlKey(SDLK_z);
        EXPECT_TRUE(saved() == before) << step << " undone in one step";
        gui.ctrlKey(SDLK_y);
    }
};
