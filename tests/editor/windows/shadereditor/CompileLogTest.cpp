// The compile log reader on logs as the common drivers write them.
#include "editor/windows/shadereditor/CompileLog.h"

#include <gtest/gtest.h>

namespace {

TEST(CompileLogTest, ReadsTheLinesOfEachDriversLog) {
    const char* const mesa = "0:3(12): error: `colour' undeclared\n"
                             "0:3(5): error: type mismatch\n"
                             "0:40(1): error: beyond the source\n";
    const std::map<int, std::string> marks = errorLines(mesa, 0, 10);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks.at(2), "0:3(12): error: `colour' undeclared\n0:3(5): error: type mismatch");

    EXPECT_EQ(errorLines("0(7) : error C1008: undefined variable \"x\"\n", 0, 10).begin()->first, 6);
    EXPECT_EQ(errorLines("ERROR: 0:7: 'x' : undeclared identifier\n", 0, 10).begin()->first, 6);
    EXPECT_EQ(errorLines("ERROR: 0:7: 'x' : undeclared identifier\n", 2, 10).begin()->first, 4)
        << "lines put before the source";
    EXPECT_TRUE(errorLines("Compile failed for reasons unknown\n", 0, 10).empty());
}

} // namespace
