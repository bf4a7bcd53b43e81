// The GUI driver against the real program: every kind of widget it reaches,
// shown on Dear ImGui's own demo window (View > ImGui Demo Window), which has
// them all: a menu bar, tree nodes, child regions, tables, PushID loops,
// combos, sliders, drags, multi-line text, popups, context menus and modals.
// The demo keeps its values in statics, which outlive a session when the tests
// share a process: checks that change a value compare with what it showed before.
#include "support/EditorSession.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <string>

namespace {

const char* const demo = "Dear ImGui Demo";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Across only: the window may have scrolled the item out of sight.
bool insideAcross(const Placement& inner, const Placement& outer) {
    return inner.width > 0.0f && inner.height > 0.0f && inner.x >= outer.x &&
           inner.x + inner.width <= outer.x + outer.width;
}

// The program with Dear ImGui's demo window open, on no project: the demo
// window is what these tests look at.
class GuiDriverTest : public ::testing::Test {
protected:
    EditorSession session{StartIn::emptyFolder};
    GuiDriver& gui = session.gui;

    void SetUp() override {
        ASSERT_TRUE(session.started());
        gui.chooseMenuItem("View", "ImGui Demo Window");
        ASSERT_TRUE(gui.windowShown(demo));
    }
};

TEST_F(GuiDriverTest, PathsReachItemsInTreeNodesPushIdScopesChildRegionsAndTables) {
    gui.setOpen({demo, "Widgets"}, true); // a collapsing header pushes no scope
    gui.setOpen({demo, "Basic"}, true);   // an open tree node does
    EXPECT_TRUE(gui.exists({demo, "Basic", "Button"}));
    EXPECT_FALSE(gui.exists({demo, "Button"}));

    const bool thanked = contains(gui.shownText(demo), "Thanks for clicking me!");
    gui.click({demo, "Basic", "Button"});
    EXPECT_NE(contains(gui.shownText(demo), "Thanks for clicking me!"), thanked);

    // Seven buttons all labelled "Click", each under PushID(i).
    const ItemPath basic{demo, "Basic"};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(gui.exists(basic / i / "Click")) << i;
    EXPECT_FALSE(gui.exists(basic / 7 / "Click"));
    EXPECT_FALSE(gui.exists(basic / "3" / "Click")) << "a string scope is not an integer one";
    gui.click(basic / 6 / "Click");

    const Placement checkbox = gui.itemPlace(basic / "checkbox");
    EXPECT_TRUE(insideAcross(checkbox, gui.windowPlace(demo)));

    gui.setOpen({demo, "Widgets"}, false);
    gui.setOpen({demo, "Layout & Scrolling"}, true);
    gui.setOpen({demo, "Child windows"}, true);
    // A child region, a table in it, and a button labelled with digits.
    const ItemPath split{demo, "Child windows", "ChildR", "split"};
    EXPECT_TRUE(gui.exists(split / "042"));
    EXPECT_FALSE(gui.exists({demo, "Child windows", "042"}));
    gui.click(split / "042");
    gui.setOpen({demo, "Layout & Scrolling"}, false);

    gui.setOpen({demo, "Tables & Columns"}, true); // its contents sit under PushID("Tables")
    gui.setOpen({demo, "Tables", "Item width"}, true);
    const ItemPath itemWidth{demo, "Tables", "Item width", "table_item_width"};
    EXPECT_TRUE(gui.exists(itemWidth / 2 / "float1"));
    gui.setValue(itemWidth / 2 / "float1", 0.25);
    EXPECT_EQ(gui.shownText(itemWidth / 0 / "float1"), "0.250") << "the rows share one value";
    gui.setOpen({demo, "Tables", "Item width"}, false);
    // A scrolling table is a child region too; its rows are drawn once it is scrolled into sight.
    gui.setOpen({demo, "Tables", "Sorting"}, true);
    const ItemPath sorting{demo, "Tables", "Sorting", "table_sorting"};
    gui.hover(sorting);
    EXPECT_TRUE(gui.exists(sorting / 5 / "None"));
    gui.click(sorting / 5 / "None");

    EXPECT_NONFATAL_FAILURE(gui.click(basic / "No such button"),
                            R"(no item {"Dear ImGui Demo", "Basic", "No such button"})");
    EXPECT_NONFATAL_FAILURE(gui.click({"No such window", "OK"}), R"(no window "No such window")");
    EXPECT_NONFATAL_FAILURE(gui.typeInto(basic / "checkbox", "text"), R"(no text field {"Dear ImGui Demo")");
    EXPECT_NONFATAL_FAILURE(gui.itemPlace(basic / "Nothing"), R"("Nothing"})");
}

TEST_F(GuiDriverTest, QueriesTellCheckedSelectedAndDisabledItems) {
    gui.setOpen({demo, "Widgets"}, true);
    gui.setOpen({demo, "Basic"}, true);
    const ItemPath basic{demo, "Basic"};
    const bool checked = gui.isChecked(basic / "checkbox");
    gui.click(basic / "checkbox");
    EXPECT_NE(gui.isChecked(basic / "checkbox"), checked);
    gui.click(basic / "radio b");
    EXPECT_TRUE(gui.isChecked(basic / "radio b"));
    EXPECT_FALSE(gui.isChecked(basic / "radio a"));
    EXPECT_FALSE(gui.isChecked(basic / "Button"));

    gui.setOpen({demo, "Basic"}, false);
    gui.setOpen({demo, "Selectables"}, true);
    gui.setOpen({demo, "Selectables", "Basic"}, true);
    const ItemPath selectables{demo, "Selectables", "Basic"};
    const bool first = gui.isChecked(selectables / "1. I am selectable");
    gui.click(selectables / "1. I am selectable");
    EXPECT_NE(gui.isChecked(selectables / "1. I am selectable"), first);
    gui.hover(selectables / "1. I am selectable");
    EXPECT_NE(gui.isChecked(selectables / "1. I am selectable"), first) << "hovering does not look selected";
    const bool fourth = gui.isChecked(selectables / "4. I am selectable");
    gui.hover(selectables / "4. I am selectable");
    EXPECT_EQ(gui.isChecked(selectables / "4. I am selectable"), fourth);

    gui.setOpen({demo, "Disable block"}, true);
    const ItemPath disableAll{demo, "Disable block", "Disable entire section above"};
    EXPECT_FALSE(gui.isDisabled(selectables / "1. I am selectable"));
    gui.click(disableAll);
    EXPECT_TRUE(gui.isDisabled(selectables / "1. I am selectable"));
    EXPECT_TRUE(gui.isDisabled({demo, "Selectables"}));
    EXPECT_FALSE(gui.isDisabled(disableAll));
    EXPECT_TRUE(gui.exists(selectables / "1. I am selectable")) << "a disabled item is still there";
    gui.click(disableAll);
    EXPECT_FALSE(gui.isDisabled({demo, "Selectables"}));
}

TEST_F(GuiDriverTest, FieldsSlidersDragsAndCombosTakeWhatIsTyped) {
    gui.setOpen({demo, "Widgets"}, true);
    gui.setOpen({demo, "Basic"}, true);
    const ItemPath basic{demo, "Basic"};

    // Eighty bytes of two-byte letters: three text events, none splitting a letter.
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += "äöü-" + std::to_string(i) + " ";
    ASSERT_GT(text.size(), 64u);
    gui.typeInto(basic / "input text", text, AfterTyping::keepEditing);
    EXPECT_TRUE(ImGui::IsAnyItemActive());
    const std::string tail = gui.shownText(basic / "input text");
    EXPECT_GT(tail.size(), 20u);
    EXPECT_TRUE(text.ends_with(tail + " ")) << "while typing the field shows the end: " << tail;
    gui.key(SDLK_RETURN);
    EXPECT_FALSE(ImGui::IsAnyItemActive());
    const std::string head = gui.shownText(basic / "input text");
    EXPECT_GT(head.size(), 20u);
    EXPECT_TRUE(text.starts_with(head)) << "afterwards the start: " << head;

    // Number fields with step buttons hold their text one level down, found either way.
    gui.typeInto(basic / "input float", "2.5");
    EXPECT_EQ(gui.shownText(basic / "input float" / ""), "2.500");
    gui.typeInto(basic / "input int", "42");
    EXPECT_EQ(gui.shownText(basic / "input int" / ""), "42");

    gui.setValue(basic / "slider float", 0.5);
    EXPECT_EQ(gui.shownText(basic / "slider float"), "ratio = 0.500");
    gui.setValue(basic / "slider int", 2);
    EXPECT_EQ(gui.shownText(basic / "slider int"), "2");
    gui.setValue(basic / "drag float", 2.25);
    EXPECT_EQ(gui.shownText(basic / "drag float"), "2.250");
    gui.setValue(basic / "drag int", 77);
    EXPECT_EQ(gui.shownText(basic / "drag int"), "77");
    EXPECT_FALSE(ImGui::IsAnyItemActive());

    gui.chooseComboItem(basic / "combo", "CCCC");
    EXPECT_EQ(gui.shownText(basic / "combo"), "CCCC");
    EXPECT_FALSE(gui.popupOpen());
    gui.chooseComboItem(basic / "combo", "KKKKKKK"); // past the list's first eight: scrolled to
    EXPECT_EQ(gui.shownText(basic / "combo"), "KKKKKKK");

    gui.setOpen({demo, "Basic"}, false);
    gui.setOpen({demo, "Text Input"}, true);
    gui.setOpen({demo, "Text Input", "Multi-line Text Input"}, true);
    const ItemPath source{demo, "Text Input", "Multi-line Text Input", "##source"};
    gui.typeInto(source, "first line\nsecond line\n  third");
    EXPECT_EQ(gui.shownText(source), "first line\nsecond line\n  third");
    EXPECT_FALSE(ImGui::IsAnyItemActive()) << "Ctrl+Enter ends a multi-line field";
    // Where Ctrl+Enter starts a new line, Enter ends the field.
    const ItemPath ctrlEnterForNewLine{demo, "Text Input", "Multi-line Text Input",
                                       "ImGuiInputTextFlags_CtrlEnterForNewLine"};
    if (!gui.isChecked(ctrlEnterForNewLine))
        gui.click(ctrlEnterForNewLine);
    gui.typeInto(source, "alpha\nbeta");
    EXPECT_FALSE(ImGui::IsAnyItemActive());
    EXPECT_EQ(gui.shownText(source), "alpha\nbeta");
    gui.click(ctrlEnterForNewLine);
    gui.typeInto(source, "first line\nsecond line\n  third");
    gui.typeInto(source, "one\ntwo", AfterTyping::keepEditing);
    EXPECT_TRUE(ImGui::IsAnyItemActive());
    gui.key(SDLK_RETURN);
    gui.key(SDLK_ESCAPE); // reverts: the field keeps what it had before this activation
    EXPECT_EQ(gui.shownText(source), "first line\nsecond line\n  third");
}

TEST_F(GuiDriverTest, MenuBarsPopupsContextMenusAndModals) {
    gui.chooseMenuItem(demo, "Tools", "About Dear ImGui");
    EXPECT_TRUE(gui.windowShown("About Dear ImGui"));
    EXPECT_FALSE(gui.popupOpen());

    // A menu bar in a child region; a menu's items are reached through it while it is open.
    gui.setOpen({demo, "Layout & Scrolling"}, true);
    gui.setOpen({demo, "Child windows"}, true);
    const ItemPath childR{demo, "Child windows", "ChildR"};
    const ItemPath menu = childR / "##menubar" / "Menu";
    gui.click(menu);
    EXPECT_TRUE(gui.popupOpen());
    EXPECT_TRUE(gui.isChecked(menu / "Checked"));
    EXPECT_FALSE(gui.isChecked(menu / "Save"));
    EXPECT_TRUE(gui.isDisabled(menu / "Disabled"));
    EXPECT_FALSE(gui.isDisabled(menu / "Save"));
    gui.key(SDLK_ESCAPE);
    EXPECT_FALSE(gui.popupOpen());
    gui.click(menu);
    gui.click(menu / "Options");
    const bool enabled = gui.isChecked(menu / "Options" / "Enabled");
    gui.key(SDLK_ESCAPE);
    gui.key(SDLK_ESCAPE);
    gui.chooseMenuItem(childR, {"Menu", "Options", "Enabled"});
    EXPECT_FALSE(gui.popupOpen());
    gui.click(menu);
    gui.click(menu / "Options");
    EXPECT_NE(gui.isChecked(menu / "Options" / "Enabled"), enabled);
    gui.key(SDLK_ESCAPE);
    gui.key(SDLK_ESCAPE);
    gui.setOpen({demo, "Layout & Scrolling"}, false);

    gui.setOpen({demo, "Popups & Modal windows"}, true);
    gui.setOpen({demo, "Popups"}, true);
    gui.click({demo, "Popups", "Select.."});
    EXPECT_TRUE(gui.popupOpen());
    gui.choosePopupItem({"Mackerel"});
    EXPECT_TRUE(contains(gui.shownText(demo), "Mackerel"));
    gui.click({demo, "Popups", "Select.."});
    gui.click({demo, "Popups", "my_select_popup", "Haddock"}); // the open popup by its id
    EXPECT_TRUE(contains(gui.shownText(demo), "Haddock"));
    gui.setOpen({demo, "Popups"}, false);

    gui.setOpen({demo, "Context menus"}, true);
    const ItemPath context{demo, "Context menus"};
    gui.hover(context / "Label2");
    EXPECT_TRUE(gui.windowShown("##Tooltip_00")) << "hovering shows its tooltip";
    gui.rightClick(context / "Label3");
    EXPECT_TRUE(gui.exists(context / "Label3" / "Close")) << "the context menu of an item is under it";
    gui.click(context / "Label3" / "Close");
    EXPECT_FALSE(gui.popupOpen());
    gui.click(context / "(3) Or click this button");
    gui.choosePopupItem({"Set to PI"});
    EXPECT_TRUE(contains(gui.shownText(demo), "Value = 3.14"));
    gui.click(context / "(3) Or click this button");
    gui.setValue(context / "my popup" / "##Value", 1.25);
    gui.key(SDLK_ESCAPE);
    EXPECT_FALSE(gui.popupOpen());
    EXPECT_TRUE(contains(gui.shownText(demo), "Value = 1.250"));
    gui.setOpen({demo, "Context menus"}, false);

    // A modal is a window named by its title.
    gui.setOpen({demo, "Modals"}, true);
    gui.click({demo, "Modals", "Delete.."});
    EXPECT_TRUE(gui.windowShown("Delete?"));
    const bool dontAsk = gui.isChecked({"Delete?", "Don't ask me next time"});
    gui.click({"Delete?", "Don't ask me next time"});
    EXPECT_NE(gui.isChecked({"Delete?", "Don't ask me next time"}), dontAsk);
    gui.click({"Delete?", "OK"});
    EXPECT_FALSE(gui.windowShown("Delete?"));
    gui.click({demo, "Modals", "Stacked modals.."});
    gui.chooseComboItem({"Stacked 1", "Combo"}, "cccc");
    EXPECT_EQ(gui.shownText({"Stacked 1", "Combo"}), "cccc");
    gui.chooseMenuItem("Stacked 1", "File", "Some menu item");
    EXPECT_TRUE(gui.windowShown("Stacked 1"));
    gui.click({"Stacked 1", "Close"});
    EXPECT_FALSE(gui.popupOpen());
}

TEST_F(GuiDriverTest, ThePointerDoubleClicksClicksTextAndTurnsTheWheel) {
    gui.setOpen({demo, "Widgets"}, true);
    gui.setOpen({demo, "Selectables"}, true);
    gui.setOpen({demo, "Selectables", "Basic"}, true);
    const ItemPath selectables{demo, "Selectables", "Basic"};
    const ItemPath doubleClickable = selectables / "5. I am double clickable";
    const bool selected = gui.isChecked(doubleClickable);
    gui.mouseClick(doubleClickable);
    EXPECT_EQ(gui.isChecked(doubleClickable), selected) << "one click leaves it";
    gui.doubleClick(doubleClickable);
    EXPECT_NE(gui.isChecked(doubleClickable), selected);
    const bool fourth = gui.isChecked(selectables / "4. I am selectable");
    gui.clickText(demo, "4. I am selectable");
    EXPECT_NE(gui.isChecked(selectables / "4. I am selectable"), fourth);
    gui.setOpen({demo, "Widgets"}, false);

    gui.setOpen({demo, "Layout & Scrolling"}, true);
    gui.setOpen({demo, "Child windows"}, true);
    const ItemPath childL{demo, "Child windows", "ChildL"};
    EXPECT_EQ(gui.scrollY(childL), 0.0f);
    EXPECT_TRUE(gui.shownText(childL).starts_with("0000: scrollable region"));
    gui.wheel(childL, -3);
    EXPECT_GT(gui.scrollY(childL), 0.0f);
    EXPECT_FALSE(contains(gui.shownText(childL), "0000"));
    gui.wheel(childL, 3);
    EXPECT_EQ(gui.scrollY(childL), 0.0f);
}

} // namespace
