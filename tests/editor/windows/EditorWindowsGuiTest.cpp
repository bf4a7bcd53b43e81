// The editor as a user meets it: the real program on a copy of the bundled
// example, driven through its window (see support/GUI_TESTS.md).
#include "app/ProjectCommands.h"
#include "app/Shell.h"
#include "composition/Composition.h"
#include "editor/edits/ProjectEdits.h"
#include "editor/windows/MainMenu.h"
#include "project/ProjectFiles.h"
#include "support/EditorSession.h"
#include "support/FakeTicks.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

struct ToolWindowKey {
    SDL_Keycode key;
    const char* title;
};

const ToolWindowKey toolWindowKeys[] = {
    {SDLK_v, "Viewport"},        {SDLK_c, "Effect Manager"}, {SDLK_e, "Event Manager"},       {SDLK_s, "Shader Editor"},
    {SDLK_x, "Texture Manager"}, {SDLK_m, "Sample Manager"}, {SDLK_g, "Event Group Manager"}, {SDLK_f, "Font Manager"},
};

// The GUI keeps title bars below the menu bar, which is taller than the 16 pixels
// the layout leaves it; places are checked to the pixel Dear ImGui rounds them to.
void expectPlace(const Placement& place, float x, float y, float width, float height, const char* title,
                 float menuBarHeight) {
    EXPECT_NEAR(place.x, x, 1.0f) << title;
    EXPECT_NEAR(place.y, std::max(y, menuBarHeight), 1.0f) << title;
    EXPECT_NEAR(place.width, width, 1.0f) << title;
    EXPECT_NEAR(place.height, height, 1.0f) << title;
}

TEST(EditorWindowsTest, WindowKeysAndTheViewMenuToggleTheirWindows) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    for (const ToolWindowKey& window : toolWindowKeys) {
        const bool before = gui.windowShown(window.title);
        gui.ctrlShiftKey(window.key);
        EXPECT_NE(gui.windowShown(window.title), before) << window.title << " by its key";
        gui.chooseMenuItem("View", window.title);
        EXPECT_EQ(gui.windowShown(window.title), before) << window.title << " by the View menu";
    }
    gui.chooseMenuItem("View", "BPM Tap");
    EXPECT_TRUE(gui.windowShown("BPM Tap"));
    gui.chooseMenuItem("View", "ImGui Demo Window");
    EXPECT_TRUE(gui.windowShown("Dear ImGui Demo"));
}

TEST(EditorWindowsTest, ArrangeAndSeeThroughPlaceAndCloseTheStandardWindows) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    const float w = static_cast<float>(session.app.screen.width);
    const float h = static_cast<float>(session.app.screen.height);
    gui.ctrlShiftKey(SDLK_y);
    // A third of the width for the Viewport at 16:9, below a 16-pixel bar (640 x 376
    // on a 1920 x 1080 screen); the Shader Editor beside it and the Effect Manager
    // under it down to the main window, which has the bottom quarter.
    const float bar = gui.windowPlace("##MainMenuBar").height;
    const float viewportHeight = w / 3.0f * 9.0f / 16.0f + 16.0f;
    expectPlace(gui.windowPlace("Viewport"), 0, 16, w / 3.0f, viewportHeight, "Viewport", bar);
    expectPlace(gui.windowPlace("Shader Editor"), w / 3.0f, 16, 2.0f * w / 3.0f, 0.75f * h - 16.0f, "Shader Editor",
                bar);
    expectPlace(gui.windowPlace("Effect Manager"), 0, viewportHeight + 16.0f, w / 3.0f,
                0.75f * h - 16.0f - viewportHeight, "Effect Manager", bar);
    expectPlace(gui.windowPlace(editorTitle), 0, 0.75f * h, w, 0.25f * h, "main window", bar);

    gui.ctrlShiftKey(SDLK_g);
    gui.chooseMenuItem("View", "BPM Tap");
    gui.ctrlShiftKey(SDLK_e);
    gui.ctrlShiftKey(SDLK_h);
    for (const char* closed : {"Viewport", "Effect Manager", "Shader Editor", "Event Manager"})
        EXPECT_FALSE(gui.windowShown(closed)) << closed;
    for (const char* open : {"Event Group Manager", "BPM Tap"})
        EXPECT_TRUE(gui.windowShown(open)) << open;
    expectPlace(gui.windowPlace(editorTitle), 0, 18, w, h - 18.0f, "see-through main window", 0);

    gui.ctrlShiftKey(SDLK_y);
    EXPECT_FALSE(session.app.editor.seeThroughTimeline);
    for (const char* open : {"Viewport", "Effect Manager", "Shader Editor"})
        EXPECT_TRUE(gui.windowShown(open)) << open;
}

TEST(EditorWindowsTest, TransportFieldsEditTheProjectAndUndoRestoresItExactly) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    Demo& demo = session.demo();
    BeatClock& clock = session.app.clock;
    // Paused, so the beat stays where the transport buttons put it.
    gui.click(editorTitle, "Pause");
    EXPECT_TRUE(clock.paused);
    const std::string original = writeJsonProject(demo, true);

    gui.typeInto(editorTitle, "##BPM", "140");
    EXPECT_EQ(demo.bpm, 140.0f);
    const std::string edited = writeJsonProject(demo, true);
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(writeJsonProject(demo, true) == original) << "undo";
    gui.ctrlKey(SDLK_y);
    EXPECT_TRUE(writeJsonProject(demo, true) == edited) << "redo";
    gui.ctrlKey(SDLK_z);
    gui.ctrlShiftKey(SDLK_y);
    EXPECT_TRUE(writeJsonProject(demo, true) == original) << "Ctrl+Shift+Y arranges, and only that";
    gui.ctrlShiftKey(SDLK_z);
    EXPECT_TRUE(writeJsonProject(demo, true) == edited) << "Ctrl+Shift+Z redoes too";

    gui.typeInto(editorTitle, "##BPM", "inf");
    EXPECT_EQ(demo.bpm, 140.0f) << "only numbers are taken";
    gui.typeInto(editorTitle, "##End beat", "96");
    EXPECT_EQ(demo.end_beat, 96.0f);
    const size_t steps = session.app.editor.history.stepCount();
    gui.activate(editorTitle, "##Beat offset");
    gui.holdKey(SDLK_RIGHT, 20);
    gui.key(SDLK_ESCAPE);
    EXPECT_GT(demo.beat_offset, 0.0f);
    EXPECT_EQ(session.app.editor.history.stepCount(), steps + 1) << "a slider moved over many frames is one step";
    gui.chooseMenuItem("Edit", "Undo Change beat offset");
    EXPECT_EQ(demo.beat_offset, 0.0f);
    gui.activate(editorTitle, "##volume");
    gui.holdKey(SDLK_LEFT, 10);
    gui.key(SDLK_ESCAPE);
    EXPECT_LT(session.app.liveMix.volume, 128);
    session.app.liveMix.volume = 128;

    gui.typeInto(editorTitle, "##currentBeat", "-3", false);
    EXPECT_EQ(clock.currentBeat, 0.0f) << "a negative beat becomes 0";
    gui.typeInto(editorTitle, "##currentBeat", "nan", false);
    EXPECT_TRUE(std::isfinite(clock.currentBeat));
    gui.typeInto(editorTitle, "##cue", "-2", false);
    EXPECT_EQ(clock.cueBeat, 0.0f);
    gui.typeInto(editorTitle, "##cue", "12", false);
    gui.click(editorTitle, "Cue");
    EXPECT_EQ(clock.currentBeat, 12.0f);
    gui.click(editorTitle, ">>16");
    EXPECT_EQ(clock.currentBeat, 16.0f);
    gui.click(editorTitle, ">>16");
    gui.click(editorTitle, "<<16");
    EXPECT_EQ(clock.currentBeat, 16.0f);
    gui.click(editorTitle, "Play");
    EXPECT_FALSE(clock.paused);
    gui.focusWindow(editorTitle);
    gui.key(SDLK_SPACE);
    EXPECT_TRUE(clock.paused) << "Space in the main window pauses";
    gui.key(SDLK_SPACE);
    EXPECT_FALSE(clock.paused) << "and plays";

    EXPECT_TRUE(session.app.editor.history.canUndo());
    gui.ctrlKey(SDLK_l); // loads content.dat.json again
    EXPECT_FALSE(session.app.editor.history.canUndo()) << "a load empties the history";
    EXPECT_EQ(session.demo().bpm, 120.0f);
}

TEST(EditorWindowsTest, TheStatusLineShowsForTwoSeconds) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    fakeNow = 100000;
    session.app.clock.ticks = fakeTicks;
    gui.click(editorTitle, "Pause");
    const float quiet = gui.menuBarWidth();
    gui.chooseMenuItem("File", "Save BIN");
    EXPECT_EQ(session.app.status.text, "Saved content.dat");
    EXPECT_GT(gui.menuBarWidth(), quiet) << "the message follows the menus";
    fakeNow += 1999;
    gui.frames(2);
    EXPECT_GT(gui.menuBarWidth(), quiet) << "still there after 1999 ms";
    fakeNow += 1;
    gui.frames(2);
    EXPECT_EQ(gui.menuBarWidth(), quiet) << "gone after 2000 ms";
}

} // namespace

namespace {

TEST(EditorWindowsTest, TheFileNameIsMarkedWhileTheProjectDiffersFromItsFile) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    const auto marked = [&] { return session.app.editor.unsaved(); };
    EXPECT_FALSE(marked()) << "as loaded";
    gui.typeInto(editorTitle, "##BPM", "140");
    EXPECT_TRUE(marked());
    EXPECT_NE(gui.shownText(ItemPath{editorTitle}).find(" *"), std::string::npos) << "the mark shows";
    gui.ctrlKey(SDLK_z);
    EXPECT_FALSE(marked()) << "undone back to the saved state";
    gui.ctrlKey(SDLK_y);
    EXPECT_TRUE(marked());
    gui.ctrlKey(SDLK_s);
    EXPECT_FALSE(marked()) << "saved";
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(marked()) << "undone past the save";
}

// The whole picture of the open project at `beat`, as the program composes it.
std::vector<uint8_t> composedAt(AppState& app, float beat) {
    FrameContext frame = frameContext(app);
    frame.beat = beat;
    renderAt(*app.project.demo, *app.project.render, *app.project.audio, frame);
    std::vector<uint8_t> pixels(static_cast<size_t>(app.screen.width) * app.screen.height * 4);
    glReadPixels(0, 0, app.screen.width, app.screen.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(EditorWindowsTest, TheRecoveredAutosaveComposesTheEditedFrame) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    AppState& app = session.app;
    session.app.autosave.interval = std::chrono::seconds(0);
    Event& bars = *session.demo().events[1];
    setField(app.editor.history, bars, &Event::visible, false, "Hide \"bars\"");
    session.gui.frames(1);
    app.autosave.waitForWrite();
    const std::vector<uint8_t> edited = composedAt(app, 20.0f);

    session.gui.ctrlKey(SDLK_l); // the project file, without the edit
    ASSERT_EQ(app.status.text.rfind("Loaded content.dat.json", 0), 0u) << app.status.text;
    EXPECT_NE(composedAt(app, 20.0f), edited);
    offerRecovery(app); // as a start on this folder does
    session.gui.frames(1);
    EXPECT_EQ(app.status.text.rfind("An autosave from ", 0), 0u) << app.status.text;

    session.gui.chooseMenuItem("File", "Recover autosave");
    EXPECT_EQ(app.status.text.rfind("Recovered .content.dat.recovery.demo", 0), 0u) << app.status.text;
    EXPECT_EQ(composedAt(app, 20.0f), edited);
    EXPECT_FALSE(app.editor.history.canUndo());
}

} // namespace
