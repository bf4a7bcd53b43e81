// A test fixture: the real editor on the bundled example, its clock paused so
// that pictures and beats hold still between steps.
#pragma once

#include "editor/windows/MainMenu.h"
#include "support/EditorSession.h"

#include <gtest/gtest.h>

class PausedEditorTest : public ::testing::Test {
protected:
    EditorSession session;
    GuiDriver& gui = session.gui;

    void SetUp() override {
        ASSERT_TRUE(session.started());
        gui.click(editorTitle, "Pause");
    }
};
