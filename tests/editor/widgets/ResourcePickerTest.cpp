#include "editor/widgets/ResourcePicker.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

class ResourcePickerTest : public ::testing::Test {
protected:
    TempDir dir;
    PickerField field;

    void SetUp() override {
        dir.enter();
        std::filesystem::create_directory("resources");
    }
    static void touch(const char* name) { std::ofstream(std::string("resources/") + name) << "x"; }
};

TEST_F(ResourcePickerTest, ListsMatchingRegularFilesInByteOrder) {
    for (const char* name : {"b.wav", "a.WAV", "c.mp3", "x.Wav", "wav", "d.wav.bak"})
        touch(name);
    std::filesystem::create_directory("resources/folder.wav");
    EXPECT_EQ(matchingResourceFiles("resources", {"wav", "WAV"}), (std::vector<std::string>{"a.WAV", "b.wav"}));
    touch("z.png");
    touch("logo.JPEG");
    EXPECT_EQ(matchingResourceFiles("resources", {"png", "jpg", "jpeg", "PNG", "JPG", "JPEG"}),
              (std::vector<std::string>{"logo.JPEG", "z.png"}));
}

TEST_F(ResourcePickerTest, AMissingDirectoryListsNothing) {
    EXPECT_TRUE(matchingResourceFiles("no-such-folder", {"ttf", "TTF"}).empty());
}

TEST_F(ResourcePickerTest, OkJoinsTheDirectoryAndTheSharedNameField) {
    std::strcpy(field.name, "kick.wav");
    EXPECT_EQ(acceptPickedFile(field, "resources"), "resources/kick.wav");
    EXPECT_STREQ(field.name, "resources/kick.wav") << "the field shows the full path";
    EXPECT_EQ(acceptPickedFile(field, "resources"), "resources/resources/kick.wav");

    field.name[0] = '\0';
    EXPECT_EQ(acceptPickedFile(field, "resources"), "resources/");
}

} // namespace
