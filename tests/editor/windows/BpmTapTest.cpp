#include "editor/windows/BpmTap.h"
#include "editor/windows/BpmTapWindow.h"
#include "support/FakeTicks.h"
#include "support/HeadlessGui.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string shown(float bpm) {
    char text[32];
    std::snprintf(text, sizeof text, "%0.3f", static_cast<double>(bpm));
    return text;
}

class BpmTapTest : public ::testing::Test {
protected:
    TickSource ticks = fakeTicks;
    void SetUp() override { fakeNow = 5000; }
};

TEST_F(BpmTapTest, TheFirstTapIsTimedFromCreation) {
    BpmTap meter(ticks);
    fakeNow += 1000;
    meter.tap();
    EXPECT_EQ(shown(meter.result()), "60.000");
}

TEST_F(BpmTapTest, AveragesOnlyTheLastTenIntervals) {
    BpmTap meter(ticks);
    fakeNow += 3000; // a slow start, dropped once ten more intervals are in
    meter.tap();
    for (int i = 0; i < 9; ++i) {
        fakeNow += 500;
        meter.tap();
    }
    EXPECT_NE(shown(meter.result()), "120.000") << "the first interval still counts after 10 taps";
    fakeNow += 500;
    meter.tap();
    EXPECT_EQ(shown(meter.result()), "120.000");
}

TEST_F(BpmTapTest, TheWindowsButtonTaps) {
    HeadlessGui gui;
    BpmTap meter(ticks);
    const ImVec2 onButton(ImGui::GetStyle().WindowPadding.x + 4.0f, ImGui::GetStyle().WindowPadding.y + 4.0f);
    fakeNow += 250;
    for (bool down : {false, false, true, false})
        gui.frame(onButton, down, [&] { drawBpmTapBody(meter); });
    EXPECT_EQ(shown(meter.result()), "240.000");
}

} // namespace
