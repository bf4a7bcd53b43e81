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

    // Ctrl+Z gives `before` back byte for byte, and Ctrl+Y `after`.
    void expectUndoAndRedo(const std::string& before, const std::string& what) {
        const std::string after = saved();
        EXPECT_FALSE(after == before) << what << " changed nothing";
        gui.ctrlKey(SDLK_z);
        EXPECT_TRUE(saved() == before) << what << " undone";
        gui.ctrlKey(SDLK_y);
        EXPECT_TRUE(saved() == after) << what << " redone";
    }
};
