// The variables editor's rows, without a window.
#include "editor/windows/eventmanager/VariableRows.h"
#include "support/RichProject.h"

#include <gtest/gtest.h>

namespace {

TEST(VariableRowsTest, RowsListEachEffectsUniformsThenTextsAndCountWhatIsShown) {
    std::unique_ptr<Demo> demo = buildRichProject();
    const Event& titles = *demo->events[1]; // effect "right": the tunnel program's "speed", the "caption" text
    std::vector<VariableRow> rows = variableRows(titles);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].key, "speed");
    EXPECT_TRUE(rows[1].isText());
    EXPECT_EQ(variableCount(titles, rows), 2) << "its stored caption and the speed it shows";

    const Event& replay = *demo->events.back(); // replays intro, titles and a sample event
    rows = variableRows(replay);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, "intro.speed");
    EXPECT_EQ(rows[1].key, "titles\nline.speed");
    EXPECT_EQ(rows[2].key, "titles\nline.caption");
    EXPECT_EQ(rows[2].memberKey, "caption");
    EXPECT_EQ(variableCount(replay, rows), 1) << "a group event counts its overrides";
}

} // namespace
