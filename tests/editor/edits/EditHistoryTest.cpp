// The edit history: undo and redo of plain project edits, gestures as one
// step, and its bounds.
#include "editor/edits/EditHistory.h"
#include "editor/edits/ProjectEdits.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"

#include <vector>

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
    EXPECT_EQ(history.undoName(), "Move event \"" + event.name + "\"");

    history.undo();
    EXPECT_EQ(history.undoName(), "Change BPM");
    EXPECT_EQ(history.redoName(), "Move event \"" + event.name + "\"");
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
    const MergeKey bpmField{"main", "##BPM", &demo};
    for (int frame = 1; frame <= 60; ++frame)
        setTransportValue(history, demo, TransportField::Bpm, 120.0f + static_cast<float>(frame), bpmField);
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_EQ(demo.bpm, 180.0f);
    history.endGesture();
    setTransportValue(history, demo, TransportField::Bpm, 100.0f, bpmField);
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
        history.perform({.name = "large", .redo = [] {}, .undo = [] {}, .redoBytes = large});
    EXPECT_LE(history.bytes(), EditHistory::maxBytes);
    EXPECT_GE(history.stepCount(), 7u);
}

} // namespace

namespace {

TEST(EditHistoryTest, OnlyEditsOfOneFieldOfOneObjectMerge) {
    std::unique_ptr<Demo> demo = buildRichProject();
    Event& intro = *demo->events[0];
    Event& titles = *demo->events[1];
    EditHistory history;
    for (int frame = 1; frame <= 3; ++frame) {
        setField(history, intro, &Event::endBeat, 40.0f + static_cast<float>(frame), "end", {"w", "##End", &intro});
        setField(history, titles, &Event::endBeat, 60.0f + static_cast<float>(frame), "end", {"w", "##End", &titles});
    }
    EXPECT_EQ(history.stepCount(), 6u) << "two events edited through fields of one label";

    history.clear();
    const std::string longName(100000, 'x');
    for (int frame = 0; frame < 50; ++frame)
        setField(history, intro, &Event::name, longName + std::to_string(frame), "name", {"w", "##name", &intro});
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_LT(history.bytes(), 3 * longName.size()) << "a gesture holds its first undo and its last redo";
}

TEST(EditHistoryTest, StepsOwnWhatTheyRemoveAndReportItLeaving) {
    std::unique_ptr<Demo> demo = buildRichProject();
    EditHistory history;
    std::vector<ObjectRef> left;
    history.onRemoved = [&](const ObjectRef& object) { left.push_back(object); };
    const std::string original = writeJsonProject(*demo, true);
    Event* intro = demo->events[0].get();
    removeObject(history, *demo, *intro);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(refersTo(left[0], static_cast<const Event*>(intro)));
    history.undo();
    EXPECT_EQ(demo->events[0].get(), intro) << "the same object comes back";
    EXPECT_TRUE(writeJsonProject(*demo, true) == original);

    EventGroup& added = addObject(history, *demo, std::make_unique<EventGroup>());
    EXPECT_EQ(added.name, "untitled event group");
    history.undo();
    ASSERT_EQ(left.size(), 2u) << "undoing an add takes the object out";
    EXPECT_TRUE(refersTo(left[1], static_cast<const EventGroup*>(&added)));
    history.redo();
    EXPECT_EQ(demo->event_groups.back().get(), &added);
}

TEST(EditHistoryTest, ARenameGestureUndoesToTheOriginalOverrideKeys) {
    std::unique_ptr<Demo> demo = buildRichProject();
    Event& intro = *demo->events[0];
    demo->events.back()->variable("intro2.speed").points = {{0.0f, 9.0f, ""}};
    const std::string original = writeJsonProject(*demo, true);
    EditHistory history;
    const MergeKey field{"w", "##event name", &intro};
    for (const char* typed : {"opening", "intro2", "intro23"})
        EXPECT_EQ(renameObject(history, *demo, intro, typed, field), std::nullopt);
    EXPECT_EQ(renameObject(history, *demo, intro, "mixed", field), "Another event is named \"mixed\"");
    const std::string renamed = writeJsonProject(*demo, true);
    EXPECT_EQ(history.stepCount(), 1u);
    history.undo();
    EXPECT_TRUE(writeJsonProject(*demo, true) == original);
    history.redo();
    EXPECT_TRUE(writeJsonProject(*demo, true) == renamed);
}

} // namespace

namespace {

TEST(EditHistoryTest, ThePositionNamesTheProjectsState) {
    EditHistory history;
    int value = 0;
    const auto change = [&](int to, MergeKey key = {}) {
        const int before = value;
        history.perform({.name = "change",
                         .redo = [&value, to] { value = to; },
                         .undo = [&value, before] { value = before; },
                         .mergeKey = std::move(key)});
    };
    const uint64_t start = history.position();
    change(1);
    const uint64_t one = history.position();
    EXPECT_NE(one, start);
    history.undo();
    EXPECT_EQ(history.position(), start) << "undone back";
    history.redo();
    EXPECT_EQ(history.position(), one) << "redone";
    change(2, {"window", "field", &value});
    const uint64_t two = history.position();
    change(3, {"window", "field", &value});
    EXPECT_NE(history.position(), two) << "a change merged into a step is still a change";
    history.clear();
    EXPECT_NE(history.position(), start) << "another project";
}

} // namespace
