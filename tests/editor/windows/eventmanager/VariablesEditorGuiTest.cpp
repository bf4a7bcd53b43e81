// The variables and point editors of the Event Manager's inspector through the
// real editor on the bundled example: each edit undoes and redoes to the same
// bytes, looking stores nothing, and curves reach the picture and CSV files.
#include "project/FileIo.h"
#include "support/EventManagerTest.h"
#include "support/PresentedPixel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::HasSubstr;

// The flash event's rows: its program's two uniforms.
enum FlashRow { hue = 0, strength = 1 };

class VariablesEditorTest : public EventManagerTest {
protected:
    const ControlPointList* variable(int index, const char* key) { return event(index).findVariable(key); }
};

TEST_F(VariablesEditorTest, ConstantsShowUntilChangedAndAutomateMakesACurve) {
    const std::string before = saved();
    select(flash);
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("2 variables"));
    EXPECT_EQ(gui.shownText(inspector / hue / "##Value1"), "0.600") << "the uniform's default";
    EXPECT_TRUE(saved() == before) << "looking stores nothing";

    gui.setValue(inspector / hue / "##Value1", 0.25);
    ASSERT_NE(variable(flash, "hue"), nullptr);
    EXPECT_EQ(variable(flash, "hue")->points.size(), 1u);
    EXPECT_EQ(variable(flash, "hue")->mode, LastValue);
    expectStep(before, "Change \"hue\"");

    std::string edited = saved();
    gui.click(inspector / hue / "Automate");
    ASSERT_EQ(variable(flash, "hue")->points.size(), 2u);
    EXPECT_TRUE(gui.exists(inspector / hue / "##plot"));
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("2 control points (Beat & Value)")) << "Automate selects its row";
    expectStep(edited, "Automate \"hue\"");

    edited = saved();
    gui.click(inspector / 1 / "Delete");
    const ControlPointList& constant = *variable(flash, "hue");
    ASSERT_EQ(constant.points.size(), 1u);
    EXPECT_EQ(constant.points[0].beat, 0.0f);
    EXPECT_EQ(constant.points[0].value, 0.25f);
    EXPECT_FALSE(gui.exists(inspector / "Mode")) << "a constant has no point editor";
    expectStep(edited, "Delete a point of \"hue\"");
}

TEST_F(VariablesEditorTest, ThePointEditorChangesEachPartOfACurve) {
    select(flash);
    gui.click(inspector / strength / "strength");
    std::string before = saved();
    gui.chooseComboItem(inspector / "Mode", "Smooth");
    EXPECT_EQ(variable(flash, "strength")->mode, Smooth);
    expectStep(before, "Change the mode of \"strength\"");
    before = saved();
    gui.click(inspector / "Repeat");
    EXPECT_TRUE(variable(flash, "strength")->repeat);
    expectStep(before, "Change the repeat of \"strength\"");

    before = saved();
    gui.click(inspector / "Add##controlpoint");
    EXPECT_EQ(variable(flash, "strength")->points.back().value, 1.0f) << "after the bottom of the range, the top";
    expectStep(before, "Add a point to \"strength\"");
    gui.click(inspector / "Add##controlpoint");
    EXPECT_EQ(variable(flash, "strength")->points.back().value, 0.0f);

    before = saved();
    gui.typeInto(inspector / 0 / "##Beat2", "5");
    gui.click(inspector / "Sort");
    EXPECT_EQ(variable(flash, "strength")->points.back().beat, 5.0f);
    gui.ctrlKey(SDLK_z);
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(saved() == before) << "a beat and a sort undone";

    before = saved();
    const Placement slider = gui.itemPlace(inspector / 0 / "##Value2");
    const float y = slider.y + slider.height / 2.0f;
    gui.drag(slider.x + slider.width - 4.0f, y, slider.x + 4.0f, y, 60);
    EXPECT_LT(variable(flash, "strength")->points[0].value, 0.1f);
    expectOneStep(before, "Change a point of \"strength\"");

    // While playing, "Go" and "Current" follow the clock.
    gui.click(editorTitle, "Play");
    gui.click(inspector / 1 / "Go");
    BeatClock& clock = session.app.clock;
    EXPECT_NEAR(clock.currentBeat, 2.0f, 0.5f);
    gui.click(inspector / 0 / "Current");
    EXPECT_NEAR(variable(flash, "strength")->points[0].beat, clock.currentBeat, 0.5f);
}

TEST_F(VariablesEditorTest, CurvesTravelThroughCsvFiles) {
    select(flash);
    gui.click(inspector / strength / "strength");
    gui.click(inspector / "Export");
    EXPECT_EQ(session.app.status.text, "resources/strength.csv written");
    EXPECT_EQ(tryReadWholeFile("resources/strength.csv"), "0.000000,1.000000\n2.000000,0.000000\n");

    const std::string before = saved();
    ASSERT_FALSE(writeWholeFile("resources/strength.csv", std::string_view("beat,value\r\n1,0.25\r\n3,0.75\r\n")));
    gui.click(inspector / "Import");
    EXPECT_EQ(session.app.status.text, "resources/strength.csv imported");
    ASSERT_EQ(variable(flash, "strength")->points.size(), 2u);
    EXPECT_EQ(variable(flash, "strength")->points[1].value, 0.75f);
    expectStep(before, "Import \"strength\"");

    ASSERT_FALSE(writeWholeFile("resources/strength.csv", std::string_view("no points here\n")));
    const std::string imported = saved();
    gui.click(inspector / "Import");
    EXPECT_EQ(session.app.status.text, "no points in resources/strength.csv");
    EXPECT_TRUE(saved() == imported) << "a refused file leaves the curve";
}

TEST_F(VariablesEditorTest, AFirstTextIsGivenByImportOrAddAndTextsTravelThroughCsvFiles) {
    select(titles);
    gui.click(inspector / 0 / "caption");
    gui.click(inspector / "Export");
    EXPECT_EQ(tryReadWholeFile("resources/caption.csv"), "0.000000,QUILLFRONT\n6.000000,first light\n");

    // A new event of the text effect holds no text yet: the point editor offers it.
    const ItemPath effectManager{"Effect Manager"};
    gui.click(effectManager / "Selectables" / 6 / "text");
    gui.click(effectManager / "Inspector" / "Create Effect Event...");
    gui.typeInto(ItemPath{"Create Effect Event", "Name"}, "words", AfterTyping::keepEditing);
    gui.click(ItemPath{"Create Effect Event", "OK"});
    const int words = static_cast<int>(demo().events.size()) - 1;
    select(words);
    const std::string before = saved();
    gui.click(inspector / 0 / "caption");
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("0 control points (Beat & Text)"));
    EXPECT_TRUE(saved() == before) << "looking stores nothing";

    gui.click(inspector / "Import");
    EXPECT_EQ(session.app.status.text, "resources/caption.csv imported");
    ASSERT_NE(variable(words, "caption"), nullptr);
    EXPECT_EQ(variable(words, "caption")->points[1].text, "first light");
    expectStep(before, "Import \"caption\"");

    gui.ctrlKey(SDLK_z);
    gui.click(inspector / "Add##controlpoint");
    gui.typeInto(inspector / 0 / "##currentvalue", "hello");
    ASSERT_NE(variable(words, "caption"), nullptr);
    EXPECT_EQ(variable(words, "caption")->points.size(), 1u);
    EXPECT_EQ(variable(words, "caption")->points[0].text, "hello");
}

TEST_F(VariablesEditorTest, ScrubbingAPlotStaysWithinTheEvent) {
    select(flash);
    const Placement plot = gui.itemPlace(inspector / strength / "##plot");
    const float y = plot.y + plot.height / 2.0f;
    const float pastTheEnd = std::min(plot.x + plot.width + 200.0f, static_cast<float>(session.app.screen.width - 2));
    gui.drag(plot.x + plot.width / 2.0f, y, pastTheEnd, y, 8);
    EXPECT_EQ(session.app.clock.currentBeat, event(flash).endBeat);
    gui.drag(plot.x + plot.width / 2.0f, y, plot.x - 100.0f, y, 8);
    EXPECT_EQ(session.app.clock.currentBeat, event(flash).startBeat);
}

TEST_F(VariablesEditorTest, GroupEventsOverrideTheirMembersVariables) {
    select(secondFlash);
    EXPECT_TRUE(gui.isDisabled(inspector / strength / "##plot")) << "not overridden: the member's curve, greyed";
    std::string before = saved();
    gui.click(inspector / strength / "##override1");
    ASSERT_NE(variable(secondFlash, "flash.strength"), nullptr);
    EXPECT_EQ(variable(secondFlash, "flash.strength")->points.size(), 2u) << "the member's curve is copied";
    EXPECT_FALSE(gui.isDisabled(inspector / strength / "##plot"));
    expectStep(before, "Override \"flash.strength\"");
    gui.click(inspector / strength / "##override1");
    EXPECT_EQ(variable(secondFlash, "flash.strength"), nullptr);
    EXPECT_TRUE(saved() == before) << "unticking discards the override";

    // A second member's row stays selected; its point editor waits for an override.
    select(sky);
    gui.chooseComboItem(inspector / "##Add to group", "flash group");
    select(secondFlash);
    const ItemPath glow = inspector / 2 / "sky.glow";
    gui.click(glow);
    gui.frames(10);
    EXPECT_TRUE(gui.isChecked(glow));
    EXPECT_FALSE(gui.exists(inspector / "Mode"));
    gui.click(inspector / 2 / "##override1");
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("5 control points (Beat & Value)"));
    select(secondFlash);
    EXPECT_EQ(session.app.editor.eventManager.variables.selectedKey, "") << "a click on the list drops it";
}

TEST_F(VariablesEditorTest, TextPointsAreTypedStretchedAndCompressed) {
    select(titles);
    gui.click(inspector / 0 / "caption");
    EXPECT_THAT(gui.shownText(inspector), HasSubstr("2 control points (Beat & Text)"));
    std::string before = saved();
    gui.typeInto(inspector / "##multiplier", "2");
    gui.click(inspector / "*");
    EXPECT_EQ(variable(titles, "caption")->points[1].beat, 12.0f);
    expectStep(before, "Scale the beats of \"caption\"");
    gui.click(inspector / "/");
    EXPECT_EQ(variable(titles, "caption")->points[1].beat, 6.0f);

    before = saved();
    gui.typeInto(inspector / 1 / "##currentvalue", "the end,\nfor now");
    EXPECT_EQ(variable(titles, "caption")->points[1].text, "the end,\nfor now");
    expectOneStep(before, "Change a point of \"caption\"");

    gui.click(inspector / "Add##controlpoint");
    EXPECT_EQ(variable(titles, "caption")->points.size(), 3u);
    gui.click(inspector / 2 / "Delete");
    EXPECT_EQ(variable(titles, "caption")->points.size(), 2u);
}

TEST_F(VariablesEditorTest, AnEditedCurveChangesTheViewportsPicture) {
    gui.typeInto(editorTitle, "##currentBeat", "0.5", false);
    const Placement viewport = gui.windowPlace("Viewport");
    const float x = viewport.x + viewport.width / 2.0f;
    const float y = viewport.y + 19.0f + 8.0f + (viewport.width - 16.0f) * 9.0f / 16.0f * 0.95f;
    gui.ctrlShiftKey(SDLK_e);
    const int before = presentedPixel(session.app, x, y)[0];

    gui.ctrlShiftKey(SDLK_e);
    select(sky);
    gui.click(inspector / 0 / "glow");
    gui.setValue(inspector / 0 / "##Value2", 1.0);
    gui.ctrlShiftKey(SDLK_e);
    EXPECT_GT(presentedPixel(session.app, x, y)[0], before + 20) << "the horizon glows";
}

} // namespace
