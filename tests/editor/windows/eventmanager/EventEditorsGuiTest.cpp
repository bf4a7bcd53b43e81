// The Event Manager and the Event Group Manager through the real editor on the
// bundled example: every edit they make undoes and redoes to the same bytes,
// deletes take their references and loops with them, and looking changes nothing.
#include "editor/widgets/TimelineWidget.h"
#include "support/EventManagerTest.h"
#include "support/FakeTicks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

using EventEditorsTest = EventManagerTest;

TEST_F(EventEditorsTest, TheListFiltersSelectsAndReordersEvents) {
    EXPECT_THAT(gui.shownText(listCommands), HasSubstr("12 Events"));
    EXPECT_TRUE(gui.isChecked(row(sky) / "sky")) << "the first row is selected when the window opens";
    EXPECT_FALSE(gui.exists(listCommands / "Up")) << "on the first row";
    EXPECT_TRUE(gui.exists(listCommands / "Down"));
    select(11);
    EXPECT_FALSE(gui.exists(listCommands / "Down")) << "on the last row";

    std::string before = saved();
    gui.click(listCommands / "Up");
    EXPECT_EQ(event(10).name, "whoosh at 79");
    EXPECT_TRUE(gui.isChecked(row(10) / "whoosh at 79")) << "the selection moves with it";
    expectStep(before, "Move up event \"whoosh at 79\"");

    gui.typeInto(listCommands / "##eventfilter", "la");
    for (int shown : {flash, firstFlash, secondFlash})
        EXPECT_TRUE(gui.exists(row(shown) / event(shown).name)) << event(shown).name;
    EXPECT_FALSE(gui.exists(row(sky) / "sky"));
    gui.typeInto(listCommands / "##eventfilter", "La");
    EXPECT_FALSE(gui.exists(row(flash) / "flash")) << "the filter minds letter case";
    gui.typeInto(listCommands / "##eventfilter", "fh");
    EXPECT_FALSE(gui.exists(row(flash) / "flash")) << "its letters must stand together";
    gui.click(listCommands / "Show All");
    EXPECT_TRUE(gui.exists(row(sky) / "sky"));
}

TEST_F(EventEditorsTest, RowFieldsAndTheInspectorEditTheSelectedEvent) {
    std::string before = saved();
    gui.click(row(flash) / "##Visible");
    EXPECT_TRUE(event(flash).visible);
    EXPECT_TRUE(gui.isChecked(row(flash) / "##Visible"));
    expectStep(before, "Show event \"flash\"");

    before = saved();
    gui.typeInto(row(whoosh15) / "##Start", "20");
    EXPECT_EQ(event(whoosh15).endBeat, 21.0f) << "a sample event's end moves with its start";
    EXPECT_FALSE(gui.exists(row(whoosh15) / "##End"));
    expectOneStep(before, "Move event \"whoosh at 15\"");

    select(titles);
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("renders Effect: text"));
    before = saved();
    gui.typeInto(row(titles) / "##Start", "4");
    gui.typeInto(inspector / "Length", "8");
    EXPECT_EQ(event(titles).endBeat, 12.0f);
    gui.ctrlKey(SDLK_z);
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(saved() == before) << "start and length undone";

    before = saved();
    gui.typeInto(inspector / "##event name", "title card");
    EXPECT_EQ(event(titles).name, "title card");
    expectOneStep(before, "Rename event \"titles\"");
    gui.typeInto(inspector / "##event name", "sky");
    EXPECT_EQ(event(titles).name, "title card") << "a name in use is refused";
    EXPECT_EQ(session.app.status.text, "Another event is named \"sky\"");

    // Holding a step button repeats it: one step however many frames it lasts.
    const size_t steps = session.app.editor.history.stepCount();
    const float end = event(titles).endBeat;
    const Placement plus = gui.itemPlace(row(titles) / "##End" / "+");
    gui.moveMouse(plus.x + plus.width / 2.0f, plus.y + plus.height / 2.0f);
    gui.mouseDown();
    gui.frames(60);
    gui.mouseUp();
    EXPECT_GT(event(titles).endBeat, end + 0.125f);
    EXPECT_EQ(session.app.editor.history.stepCount(), steps + 1);
}

TEST_F(EventEditorsTest, TheInspectorLeadsToWhatTheEventUsesAndToItsBeats) {
    select(composite);
    gui.click(inspector / "Go");
    EXPECT_EQ(session.app.clock.currentBeat, 48.0f);
    gui.click(editorTitle, ">>16");
    gui.click(inspector / "Cue");
    EXPECT_EQ(session.app.clock.cueBeat, 48.0f);
    gui.click(inspector / "Edit");
    EXPECT_EQ(session.app.editor.effectManager.effects.selected, event(composite).effect);
    EXPECT_TRUE(gui.windowShown("Effect Manager"));

    select(whoosh15);
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("Plays Audio Sample: resources/whoosh.wav"));
    EXPECT_FALSE(gui.exists(inspector / "Length"));
    gui.click(inspector / "Play");
    EXPECT_TRUE(session.app.project.audio->sound(*event(whoosh15).audioSample).playing());
    gui.click(inspector / "Edit");
    EXPECT_EQ(session.app.editor.sampleManager.samples.selected, event(whoosh15).audioSample);

    select(secondFlash);
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("renders Group: flash group"));
    gui.click(inspector / "Edit");
    EXPECT_TRUE(gui.windowShown(groups));
    EXPECT_EQ(session.app.editor.eventGroupManager.groups.selected, demo().event_groups[0].get());
}

TEST_F(EventEditorsTest, DeletingAnEventTakesItsGroupEntriesOverridesAndLoopAndUndoBringsThemBack) {
    const std::string before = saved();
    select(flash);
    gui.click(listCommands / "Loop");
    EXPECT_EQ(session.app.clock.loopEvent, &event(flash));
    EXPECT_TRUE(gui.exists(listCommands / "Stop flash"));
    Event* deleted = &event(flash);
    gui.click(listCommands / "Delete");
    EXPECT_EQ(demo().events.size(), 11u);
    EXPECT_EQ(session.app.clock.loopEvent, nullptr);
    EXPECT_TRUE(demo().event_groups[0]->events.empty());
    EXPECT_EQ(event(secondFlash - 1).findVariable("flash.hue"), nullptr);
    EXPECT_EQ(session.app.editor.eventManager.events.selected, &event(sky)) << "the first row takes the selection";
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(saved() == before);
    EXPECT_EQ(&event(flash), deleted);
    EXPECT_EQ(session.app.clock.loopEvent, deleted) << "the loop comes back with its event";

    // With the first row filtered out, a delete leaves nothing selected.
    gui.click(listCommands / "Stop flash");
    gui.typeInto(listCommands / "##eventfilter", "whoosh");
    select(whoosh15);
    gui.click(listCommands / "Delete");
    EXPECT_EQ(session.app.editor.eventManager.events.selected, nullptr);
    gui.click(listCommands / "Loop");
    EXPECT_EQ(session.app.clock.loopEvent, nullptr);
    EXPECT_FALSE(gui.exists(inspector / "##event name"));
}

TEST_F(EventEditorsTest, GroupsAreMadeFilledAndPlacedOnTheTimeline) {
    gui.ctrlShiftKey(SDLK_g);
    EXPECT_THAT(gui.shownText(ItemPath{groups}), AllOf(HasSubstr("1 Group"), Not(HasSubstr("1 Groups"))));
    EXPECT_THAT(gui.shownText(groupInspector), AllOf(HasSubstr("1 Event"), Not(HasSubstr("1 Events"))));
    select(sky);
    std::string before = saved();
    gui.chooseComboItem(inspector / "##Add to group", "Add to new Group...");
    ASSERT_EQ(demo().event_groups.size(), 2u);
    EventGroup& skyGroup = *demo().event_groups[1];
    EXPECT_EQ(skyGroup.name, "sky group");
    EXPECT_EQ(skyGroup.events, std::vector<Event*>{&event(sky)});
    EXPECT_THAT(gui.shownText(ItemPath{groups}), HasSubstr("2 Groups"));
    expectStep(before, "Add event group \"sky group\"");

    EventGroup& flashGroup = *demo().event_groups[0];
    select(flash);
    gui.chooseComboItem(inspector / "##Add to group", "flash group");
    EXPECT_EQ(flashGroup.events, (std::vector<Event*>{&event(flash), &event(flash)}));
    gui.click(ItemPath{groups, "Selectables", 0, "flash group"});
    EXPECT_THAT(gui.shownText(groupInspector), HasSubstr("2 Events"));
    before = saved();
    gui.click(groupInspector / 1 / "Delete");
    EXPECT_EQ(flashGroup.events, std::vector<Event*>{&event(flash)}) << "one of two identical members";
    expectStep(before, "Remove \"flash\" from event group \"flash group\"");
    gui.click(groupInspector / 1 / "Delete");

    // A group spanning beats 16 to 48 becomes an event from 0 to 32.
    event(flash).startBeat = 16.0f;
    event(flash).endBeat = 48.0f;
    before = saved();
    gui.click(ItemPath{groups, "Add as Event"});
    gui.typeInto(ItemPath{"Add as Event", "Event name"}, "encore");
    gui.click(ItemPath{"Add as Event", "OK"});
    const Event& encore = *demo().events.back();
    EXPECT_EQ(encore.name, "encore");
    EXPECT_EQ(encore.type, GroupEvent);
    EXPECT_EQ(encore.group, &flashGroup);
    EXPECT_EQ(encore.startBeat, 0.0f);
    EXPECT_EQ(encore.endBeat, 32.0f);
    expectStep(before, "Add event \"encore\"");

    gui.click(ItemPath{groups, "Selectables", 1, "sky group"});
    gui.click(groupInspector / 0 / "Delete");
    gui.click(ItemPath{groups, "Add as Event"});
    gui.click(ItemPath{"Add as Event", "OK"});
    EXPECT_EQ(demo().events.back()->endBeat, 64.0f) << "a group without members";
    EXPECT_EQ(demo().events.back()->name, "untitled event");

    gui.click(ItemPath{groups, "Selectables", 0, "flash group"});
    before = saved();
    gui.typeInto(groupInspector / "##group name", "flashes");
    gui.click(ItemPath{groups, "Selectables", 0, "flashes"});
    EXPECT_NE(saved().find("\"group\" : \"flashes\""), std::string::npos) << "the next save writes the new name";
    expectOneStep(before, "Rename event group \"flash group\"");

    before = saved();
    gui.click(ItemPath{groups, "Delete"});
    EXPECT_EQ(demo().event_groups.size(), 1u);
    EXPECT_EQ(event(firstFlash).group, nullptr) << "group events lose the deleted group";
    EXPECT_EQ(session.app.editor.eventGroupManager.groups.selected, demo().event_groups[0].get());
    expectStep(before, "Delete event group \"flashes\"");
    gui.ctrlKey(SDLK_z);
    EXPECT_EQ(event(firstFlash).group, &flashGroup);
}

TEST_F(EventEditorsTest, LookingAtEveryEventWhilePlayingChangesNothing) {
    gui.ctrlShiftKey(SDLK_g);
    gui.click(editorTitle, "Play");
    const std::string json = saved();
    const std::vector<uint8_t> binary = writeBinaryProject(demo());
    fakeNow = session.app.clock.ticks();
    session.app.clock.ticks = fakeTicks;
    // Ten seconds of the demo, each event selected in turn.
    for (int index = 0; index < static_cast<int>(demo().events.size()); ++index) {
        select(index);
        fakeNow += 10000 / 12;
        gui.frames(2);
    }
    EXPECT_GT(session.app.clock.currentBeat, 19.0f);
    EXPECT_FALSE(session.app.editor.history.canUndo());
    EXPECT_TRUE(saved() == json);
    EXPECT_TRUE(writeBinaryProject(demo()) == binary);

    gui.click(row(flash) / "##Visible");
    bool shown = false;
    for (const TimelineRowPlace& place : session.app.editor.timeline.widget.rowsDrawn())
        shown = shown || place.label == "flash";
    EXPECT_TRUE(shown) << "the timeline shows the edit by the next frame";
}

} // namespace
