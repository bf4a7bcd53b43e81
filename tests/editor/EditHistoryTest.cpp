// The edit history: undo and redo of plain project edits, gestures as one
// step, and its bounds.
#include "editor/EditHistory.h"
#include "editor/ProjectEdits.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"

#include <gtest/gtest.h>

namespace {

TEST(EditHistoryTest, UndoAndRedoRestoreTheProjectByteForByte) {
    std::unique_ptr<Demo> demo = buildRichProject();
    EditHistory history;
    const std::string original = writeJsonProject(*demo, true);
    setTransportValue(history, *demo, TransportField::Bpm, 90.0f);
    Event& event = *demo->events.front();
    moveEvent(history, event, 4.0f, 12.0f);
    const std::string edited = writeJsonProject(*demo, true);
    EXPECT_EQ(history.undoName(), "Move \"" + event.name + "\"");

    history.undo();
    EXPECT_EQ(history.undoName(), "Change BPM");
    EXPECT_EQ(history.redoName(), "Move \"" + event.name + "\"");
    history.undo();
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(writeJsonProject(*demo, true) == original);
    history.redo();
    history.redo();
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(writeJsonProject(*demo, true) == edited);

    history.undo();
    setTransportValue(history, *demo, TransportField::EndBeat, 64.0f);
    EXPECT_FALSE(history.canRedo()) << "a new edit drops what was undone";
}

TEST(EditHistoryTest, EditsOfOneGestureAreOneStepUntilItEnds) {
    Demo demo;
    demo.bpm = 120.0f;
    EditHistory history;
    for (int frame = 1; frame <= 60; ++frame)
        setTransportValue(history, demo, TransportField::Bpm, 120.0f + static_cast<float>(frame), "##BPM");
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_EQ(demo.bpm, 180.0f);
    history.endGesture();
    setTransportValue(history, demo, TransportField::Bpm, 100.0f, "##BPM");
    EXPECT_EQ(history.stepCount(), 2u) << "the next gesture is a step of its own";
    history.undo();
    history.undo();
    EXPECT_EQ(demo.bpm, 120.0f);
    history.redo();
    EXPECT_EQ(demo.bpm, 180.0f) << "the gesture redoes to where it ended";
}

TEST(EditHistoryTest, KeepsAtMostAThousandStepsOr64MegabytesDroppingTheOldest) {
    Demo demo;
    EditHistory history;
    for (int i = 0; i < 1500; ++i)
        setTransportValue(history, demo, TransportField::EndBeat, static_cast<float>(i));
    EXPECT_EQ(history.stepCount(), EditHistory::maxSteps);
    for (int i = 0; i < 1000; ++i)
        history.undo();
    EXPECT_EQ(demo.end_beat, 499.0f) << "the oldest 500 steps were dropped";

    history.clear();
    const size_t large = 8u << 20;
    for (int i = 0; i < 20; ++i)
        history.perform({"large", [] {}, [] {}, large, {}});
    EXPECT_LE(history.bytes(), EditHistory::maxBytes);
    EXPECT_GE(history.stepCount(), 7u);
}

} // namespace
