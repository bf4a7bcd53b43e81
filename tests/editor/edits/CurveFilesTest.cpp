// "Export" and "Import" of a curve: the files they touch and what they say.
#include "editor/edits/CurveFiles.h"
#include "project/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class CurveFilesTest : public ::testing::Test {
protected:
    TempDir dir;
    ControlPointList curve;

    void SetUp() override {
        dir.enter();
        curve.mode = Smooth;
        curve.points = {{0.0f, 1.0f, ""}, {4.0f, 0.5f, ""}};
    }
};

TEST_F(CurveFilesTest, ExportWritesTheFileOrSaysWhyNot) {
    EXPECT_EQ(exportCurve(curve, "speed", false), "Could not write resources/speed.csv: No such file or directory");
    std::filesystem::create_directory("resources");
    EXPECT_EQ(exportCurve(curve, "speed", false), "resources/speed.csv written");
    EXPECT_EQ(tryReadWholeFile("resources/speed.csv"), "0.000000,1.000000\n4.000000,0.500000\n");
    exportCurve(ControlPointList(), "empty", false);
    EXPECT_EQ(tryReadWholeFile("resources/empty.csv"), "");

    EXPECT_EQ(exportCurve(curve, "../speed", false), "\"../speed\" holds a path separator: it cannot name a file");
    EXPECT_FALSE(std::filesystem::exists("speed.csv"));
}

TEST_F(CurveFilesTest, ImportReplacesThePointsOnlyWithAFileThatHasSome) {
    std::filesystem::create_directory("resources");
    const auto message = [&] { return importCurve(curve, "speed", false).message; };
    EXPECT_FALSE(importCurve(curve, "speed", false).list);
    EXPECT_EQ(message(), "resources/speed.csv not found!");
    std::ofstream("resources/speed.csv").close();
    EXPECT_FALSE(importCurve(curve, "speed", false).list);
    EXPECT_EQ(message(), "resources/speed.csv not found!") << "an empty file";

    std::ofstream("resources/speed.csv") << "2," << std::string(30, '1') << "\n";
    EXPECT_FALSE(importCurve(curve, "speed", false).list);
    EXPECT_EQ(message(), "a number longer than 29 bytes in resources/speed.csv");

    std::ofstream("resources/speed.csv") << "2,0.25\n";
    const std::optional<ControlPointList> imported = importCurve(curve, "speed", false).list;
    ASSERT_TRUE(imported);
    EXPECT_EQ(message(), "resources/speed.csv imported");
    EXPECT_EQ(imported->mode, Smooth) << "mode and repeat are kept";
    ASSERT_EQ(imported->points.size(), 1u);
    EXPECT_EQ(imported->points[0].value, 0.25f);
}

} // namespace
