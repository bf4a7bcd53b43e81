// The Viewport's picture and free camera, the timeline's drags and seeks, and
// the BPM Tap, through the real editor on the bundled example.
#include "editor/widgets/TimelineWidget.h"
#include "editor/windows/MainMenu.h"
#include "project/ProjectFiles.h"
#include "support/EditorSession.h"
#include "support/FakeTicks.h"
#include "support/PresentedPixel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const TimelineRowPlace& rowOf(const EditorSession& session, const char* label) {
    for (const TimelineRowPlace& row : session.app.editor.timeline.widget.rowsDrawn())
        if (row.label == label)
            return row;
    ADD_FAILURE() << "no timeline row \"" << label << "\"";
    static const TimelineRowPlace none;
    return none;
}

float xOfBeat(const TimelineRowPlace& row, float beat) {
    return handleCentreX(beat, row.maxValue, row.trackLeft, row.trackWidth);
}

Event& eventNamed(Demo& demo, const std::string& name) {
    for (const auto& event : demo.events)
        if (event->name == name)
            return *event;
    throw std::runtime_error("no event " + name);
}

TEST(ViewportTest, ShowsTheDemoRightSideUpAndTheCameraFollowsKeysAndMouse) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    gui.click(editorTitle, "Pause");
    gui.typeInto(editorTitle, "##currentBeat", "30", false);
    const Placement viewport = gui.windowPlace("Viewport");
    const float pictureTop = viewport.y + 19.0f + 8.0f;
    const float pictureHeight = (viewport.width - 16.0f) * 9.0f / 16.0f;
    const float middle = viewport.x + viewport.width / 2.0f;
    // The sky darkens towards the top of the screen.
    EXPECT_GT(presentedPixel(session.app, middle, pictureTop + pictureHeight * 0.9f)[2],
              presentedPixel(session.app, middle, pictureTop + pictureHeight * 0.1f)[2] + 10);

    Camera& camera = session.app.camera;
    gui.focusWindow("Viewport");
    gui.holdKey(SDLK_w, 5);
    EXPECT_NEAR(camera.position[2], 0.5f, 1e-4f) << "W: z + 0.1 a frame";
    gui.holdKey(SDLK_w, 2, KMOD_LSHIFT);
    EXPECT_NEAR(camera.position[2], 2.5f, 1e-4f) << "with Left Shift, 1.0 a frame";
    gui.holdKey(SDLK_r, 1);
    EXPECT_EQ(camera.position, (std::array<float, 3>{}));

    gui.moveMouse(middle, pictureTop + pictureHeight / 2.0f);
    gui.mouseDown();
    gui.mouseUp(); // mouse look on
    gui.moveMouse(middle + 10.0f, pictureTop + pictureHeight / 2.0f);
    EXPECT_NEAR(camera.rotation[1], -0.2f, 1e-4f) << "10 pixels right turn the yaw by -0.2";
    gui.mouseDown();
    gui.mouseUp(); // and off
    gui.moveMouse(middle + 30.0f, pictureTop + pictureHeight / 2.0f);
    EXPECT_NEAR(camera.rotation[1], -0.2f, 1e-4f);
}

TEST(TimelineWindowTest, DragsMoveEventsByWholeBeatsAsOneStepAndClicksSeek) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    Demo& demo = session.demo();
    gui.click(editorTitle, "Pause");
    gui.frames(2);
    const std::string before = writeJsonProject(demo, true);
    const size_t steps = session.app.editor.history.stepCount();

    // "titles" spans beats 2 to 14; its bar is dragged ten beats right over 60 frames.
    const TimelineRowPlace titles = rowOf(session, "titles");
    const float y = titles.top + 6.0f;
    const float beatWidth = titles.trackWidth / titles.maxValue;
    gui.drag(xOfBeat(titles, 8.0f), y, xOfBeat(titles, 8.0f) + 10.0f * beatWidth, y, 60);
    Event& moved = eventNamed(demo, "titles");
    EXPECT_NEAR(moved.startBeat, 12.0f, 1.0f);
    EXPECT_EQ(moved.startBeat, std::trunc(moved.startBeat)) << "whole beats";
    EXPECT_EQ(moved.endBeat - moved.startBeat, 12.0f) << "the length is kept";
    EXPECT_EQ(session.app.editor.history.stepCount(), steps + 1) << "one step for the whole drag";
    const std::string after = writeJsonProject(demo, true);
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(writeJsonProject(demo, true) == before) << "undo";
    gui.ctrlKey(SDLK_y);
    EXPECT_TRUE(writeJsonProject(demo, true) == after) << "redo";

    gui.drag(xOfBeat(titles, moved.startBeat + 6.0f), y, xOfBeat(titles, 99.0f), y, 20);
    gui.drag(xOfBeat(titles, 94.0f), y, titles.trackLeft + titles.trackWidth + 40.0f, y, 20);
    EXPECT_EQ(moved.endBeat, 100.0f) << "a bar dragged past the end stops there";
    EXPECT_EQ(moved.startBeat, 88.0f) << "with its length";

    // "bars" spans 16 to 48: its start handle dragged past its end handle swaps them.
    const TimelineRowPlace bars = rowOf(session, "bars");
    gui.drag(xOfBeat(bars, 16.0f), bars.top + 6.0f, xOfBeat(bars, 60.0f), bars.top + 6.0f, 30);
    const Event& swapped = eventNamed(demo, "bars");
    EXPECT_NEAR(swapped.startBeat, 48.0f, 1.0f);
    EXPECT_NEAR(swapped.endBeat, 60.0f, 1.0f);

    // Clicks in the rows, away from bars and handles, seek.
    const float rowY = bars.top + 6.0f;
    gui.moveMouse(xOfBeat(bars, 0.0f), rowY);
    gui.mouseDown();
    gui.mouseUp();
    EXPECT_EQ(session.app.clock.currentBeat, 0.0f) << "the track's left edge";
    gui.moveMouse(bars.trackLeft + bars.trackWidth + 10.0f, rowY);
    gui.mouseDown();
    gui.mouseUp();
    EXPECT_EQ(session.app.clock.currentBeat, demo.end_beat) << "past its right edge";
}

TEST(BpmTapWindowTest, ElevenTapsHalfASecondApartRead120) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    session.app.clock.ticks = fakeTicks;
    fakeNow = 10000;
    gui.chooseMenuItem("View", "BPM Tap");
    for (int tap = 0; tap < 11; ++tap) {
        fakeNow += 500;
        gui.click("BPM Tap", "Tap");
    }
    ASSERT_TRUE(session.app.editor.bpmTap);
    EXPECT_FLOAT_EQ(session.app.editor.bpmTap->result(), 120.0f);
}

} // namespace
