// Whole projects through their JSON and binary forms, loaded data-only.
#include "project/ProjectFiles.h"
#include "project/BinaryReader.h"
#include "project/CodecError.h"
#include "project/DemoCopy.h"
#include "project/LoadError.h"
#include "project/LoadProgress.h"
#include "project/ResourceFiles.h"
#include "project/SaveError.h"
#include "support/RichProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <sys/stat.h>

namespace {

class ProjectFilesTest : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override { dir.enter(); }
};

TEST_F(ProjectFilesTest, TheEmptyProjectHasItsExactForms) {
    Demo empty;
    EXPECT_EQ(writeJsonProject(empty, false), "{\n"
                                              "  \"audio_samples\" : [],\n"
                                              "  \"beat_offset\" : 0.500000,\n"
                                              "  \"bpm\" : 130.000000,\n"
                                              "  \"effects\" : [],\n"
                                              "  \"end_beat\" : 480.000000,\n"
                                              "  \"event_groups\" : [],\n"
                                              "  \"events\" : [],\n"
                                              "  \"font_textures\" : [],\n"
                                              "  \"fonts\" : [],\n"
                                              "  \"music\" : \"\",\n"
                                              "  \"shaders\" : [],\n"
                                              "  \"textures\" : []\n"
                                              "}");
    const std::string projectForm = writeJsonProject(empty, true);
    EXPECT_EQ(projectForm.find("music"), std::string::npos);
    EXPECT_TRUE(writeResourceFiles(projectResourceFiles(empty)).empty());
    EXPECT_TRUE(std::filesystem::exists("resources/music.mp3")) << "the folder is made when missing";

    const std::vector<uint8_t> binary = writeBinaryProject(empty);
    std::vector<uint8_t> expected(80, 0); // object count, eight list counts, music size
    for (const uint8_t byte : {0x00, 0x00, 0xF0, 0x43, 0x00, 0x00, 0x02, 0x43, 0x00, 0x00, 0x00, 0x3F})
        expected.push_back(byte);
    EXPECT_EQ(binary, expected);
}

TEST_F(ProjectFilesTest, ARichProjectSurvivesEveryForm) {
    const std::string original = writeJsonProject(*buildRichProject(), false);
    const auto fromJson = readJsonProject(original);
    EXPECT_TRUE(fromJson->unresolvedReferences.empty());
    const std::vector<uint8_t> binary = writeBinaryProject(*fromJson);
    const auto fromBinary = readBinaryProject(binary);
    EXPECT_TRUE(fromBinary->unresolvedReferences.empty());
    EXPECT_EQ(writeJsonProject(*fromBinary, false), original);

    const Demo& demo = *fromBinary;
    Effect* feedback = demo.effects[0].get();
    EXPECT_EQ(feedback->effects, std::vector<Effect*>{feedback}) << "its own input again";
    EXPECT_EQ(demo.effects[1]->effects[0], demo.effects[2].get());
    EXPECT_EQ(demo.effects[2]->effects[0], demo.effects[1].get());
    EXPECT_EQ(demo.effects[2]->fontTextures[0], demo.font_textures[0].get());
    EXPECT_EQ(demo.font_textures[0]->font, demo.fonts[0].get());
    EXPECT_EQ(demo.events[2]->audioSample, demo.audio_samples[0].get());
    EXPECT_EQ(demo.events[4]->group->events[1], demo.events[1].get());
    EXPECT_FLOAT_EQ(demo.bpm, 142.5f);
    EXPECT_EQ(demo.music->data, buildRichProject()->music->data);
    EXPECT_EQ(demo.loadTotal, 14u);
}

TEST_F(ProjectFilesTest, ACopySavesAsTheOriginalAndChangesApart) {
    const auto original = buildRichProject();
    const auto copy = copyDemo(*original);
    EXPECT_EQ(writeBinaryProject(*copy), writeBinaryProject(*original));
    EXPECT_EQ(writeJsonProject(*copy, false), writeJsonProject(*original, false));

    const std::string before = writeJsonProject(*copy, false);
    original->effects[0]->name = "renamed";
    original->textures[0]->imageBuffer->data.push_back(1);
    original->shaders[0]->uniformDefs[0]->name = "other";
    original->events.clear();
    EXPECT_EQ(writeJsonProject(*copy, false), before);
}

TEST_F(ProjectFilesTest, LoadsReportTheirProgress) {
    std::vector<std::pair<uint64_t, uint64_t>> reports;
    const auto demo = readBinaryProject(writeBinaryProject(*buildRichProject()),
                                        [&](uint64_t read, uint64_t total) { reports.emplace_back(read, total); });
    ASSERT_EQ(reports.size(), 15u);
    EXPECT_EQ(reports.front(), std::make_pair(uint64_t{0}, uint64_t{14}));
    EXPECT_EQ(reports[13], std::make_pair(uint64_t{13}, uint64_t{14}));
    EXPECT_EQ(reports.back(), std::make_pair(uint64_t{14}, uint64_t{14}));
}

TEST_F(ProjectFilesTest, TheSameProjectAlwaysGivesTheSameBytes) {
    const auto demo = buildRichProject();
    const std::vector<uint8_t> first = writeBinaryProject(*demo);
    EXPECT_EQ(writeBinaryProject(*demo), first);
    EXPECT_EQ(writeBinaryProject(*readBinaryProject(first)), first) << "a reload numbers its objects alike";
    const std::vector<uint8_t> executable = {'\x7f', 'E', 'L', 'F'};
    EXPECT_EQ(makePlayer(executable, *demo), makePlayer(executable, *buildRichProject()));
    // The first event is the first object saved: its token is 1.
    BinaryReader stream(first);
    stream.readU64();
    ASSERT_EQ(stream.readCount(8), 5u);
    EXPECT_EQ(stream.readObjectId(), ObjectId{1});
}

TEST_F(ProjectFilesTest, EventTypesTheBinaryFormCannotHoldAreRefusedOnSave) {
    auto demo = buildRichProject();
    demo->events[1]->type = 300;
    try {
        writeBinaryProject(*demo);
        FAIL() << "no error";
    } catch (const SaveError& error) {
        EXPECT_EQ(error.kind(), SaveErrorKind::EventTypeOutOfRange);
        EXPECT_STREQ(error.what(), "Event \"titles\nline\" has type 300; the binary form holds types 0 to 255");
    }
    // Types up to 255 keep their type and variables through the binary form.
    demo->events[1]->type = 255;
    const auto reloaded = readBinaryProject(writeBinaryProject(*demo));
    EXPECT_EQ(reloaded->events[1]->type, 255);
    EXPECT_EQ(reloaded->events[1]->variables.count("caption"), 1u);
}

TEST_F(ProjectFilesTest, NullReferencesStayInPlace) {
    auto demo = buildRichProject();
    demo->effects[2]->textures[0] = nullptr;
    demo->effects[2]->program = nullptr;
    demo->events[0]->effect = nullptr;
    demo->event_groups[0]->events[0] = nullptr;
    const std::string json = writeJsonProject(*demo, false);
    EXPECT_NE(json.find("\"program\" : \"\""), std::string::npos);

    for (const auto& reloaded : {readJsonProject(json), readBinaryProject(writeBinaryProject(*demo))}) {
        EXPECT_EQ(reloaded->effects[2]->textures.size(), 2u);
        EXPECT_EQ(reloaded->effects[2]->textures[0], nullptr);
        EXPECT_NE(reloaded->effects[2]->textures[1], nullptr);
        EXPECT_EQ(reloaded->effects[2]->program, nullptr);
        EXPECT_EQ(reloaded->events[0]->effect, nullptr);
        EXPECT_EQ(reloaded->event_groups[0]->events[0], nullptr);
        EXPECT_TRUE(reloaded->unresolvedReferences.empty()) << "null is not unresolved";
    }
}

TEST_F(ProjectFilesTest, EventsOfOtherTypesKeepTypeAndVariablesInTheBinaryForm) {
    Demo demo;
    auto odd = std::make_unique<Event>();
    odd->type = 7;
    odd->name = "not stored";
    odd->startBeat = 12.0f;
    odd->variable("x").points = {{1.0f, 2.0f, ""}};
    demo.events.push_back(std::move(odd));
    const auto reloaded = readBinaryProject(writeBinaryProject(demo));
    const Event& event = *reloaded->events[0];
    EXPECT_EQ(event.type, 7);
    EXPECT_EQ(event.name, "");
    EXPECT_FLOAT_EQ(event.startBeat, 0.0f);
    ASSERT_NE(event.findVariable("x"), nullptr);
    EXPECT_FLOAT_EQ(event.findVariable("x")->points[0].value, 2.0f);
}

TEST_F(ProjectFilesTest, JsonQuirksOfEventsAreKept) {
    const auto demo = readJsonProject(R"({"textures": [], "shaders": [], "effects": [], "event_groups": [
        {"name": "g", "events": ["a", "nobody", "a"]}], "music": "", "bpm": 130, "events": [
        {"name": "a", "visible": true, "start_beat": 8, "end_beat": 8.0},
        {"name": "a", "type": 2, "visible": "True", "beat": 3.0, "control_points": {"v": {"control_points": [
            {"beat": 1.0, "text": "A", "value": 2.0}]}}}]})");
    ASSERT_EQ(demo->events.size(), 2u);
    const Event& first = *demo->events[0];
    EXPECT_EQ(first.type, EffectEvent) << "no type reads as an effect event";
    EXPECT_FALSE(first.visible) << "a JSON boolean is not \"true\"";
    EXPECT_FLOAT_EQ(first.startBeat, 0.0f) << "an integral beat reads 0";
    EXPECT_FLOAT_EQ(first.endBeat, 8.0f);
    const Event& second = *demo->events[1];
    EXPECT_FALSE(second.visible);
    EXPECT_FLOAT_EQ(second.endBeat, 4.0f);
    const ControlPointList& list = *second.findVariable("v");
    EXPECT_EQ(list.mode, LastValue) << "no mode reads as Last value";
    EXPECT_EQ(list.points[0].text, "A");
    EXPECT_FLOAT_EQ(list.points[0].value, 0.0f);
    EXPECT_FLOAT_EQ(demo->bpm, 0.0f) << "an integral tempo reads 0";
    const std::vector<Event*> members = demo->event_groups[0]->events;
    EXPECT_EQ(members, (std::vector<Event*>{&*demo->events[1], nullptr, &*demo->events[1]}));
    EXPECT_EQ(demo->unresolvedReferences, std::vector<std::string>{"event \"nobody\" not found"});
}

// The kind of the LoadError that `load` throws; fails the test when it throws none.
template <typename Load> LoadErrorKind loadErrorOf(Load load) {
    try {
        load();
    } catch (const LoadError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no LoadError";
    return LoadErrorKind::NotAProject;
}

TEST_F(ProjectFilesTest, DocumentsThatAreNotProjectsAreRefused) {
    for (const char* text : {"", "[1, 2, 3]", R"({"textures": [], "shaders": [], "effects": [], "event_groups": []})"})
        EXPECT_EQ(loadErrorOf([&] { readJsonProject(text); }), LoadErrorKind::NotAProject) << text;
    EXPECT_THROW(readJsonProject(R"({"textures": [], "shaders": [], "effects": [], "event_groups": [], "events": [],
        "music": "not base64!"})"),
                 CodecError);
    try {
        readJsonProject(R"({"textures": [], "shaders": [], "effects": [], "event_groups": [], "events": []})");
        FAIL() << "no error";
    } catch (const LoadError& error) {
        EXPECT_STREQ(error.what(), "File not found: resources/music.mp3");
    }
}

TEST_F(ProjectFilesTest, DamagedBinaryProjectsAreRefusedWithoutCrashing) {
    const std::vector<uint8_t> good = writeBinaryProject(*buildRichProject());
    int refused = 0;
    for (size_t length = 0; length < good.size(); ++length) {
        try {
            readBinaryProject(std::span(good.data(), length));
        } catch (const CodecError&) {
            ++refused;
        }
    }
    EXPECT_EQ(refused, static_cast<int>(good.size())) << "every truncation is refused";

    std::mt19937 random(7);
    for (int attempt = 0; attempt < 2000; ++attempt) {
        std::vector<uint8_t> damaged = good;
        for (int flips = 0; flips < 4; ++flips)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        try {
            readBinaryProject(damaged);
        } catch (const CodecError&) {
        }
    }

    std::vector<uint8_t> absurd = writeBinaryProject(Demo());
    absurd[8 + 7] = 0x40; // the event count: 2^62
    EXPECT_THROW(readBinaryProject(absurd), CodecError);
}

TEST_F(ProjectFilesTest, PlayersCarryTheirProjectAtTheEnd) {
    const std::vector<uint8_t> executable = {'\x7f', 'E', 'L', 'F', 1, 2, 3};
    const auto demo = buildRichProject();
    const std::vector<uint8_t> player = makePlayer(executable, *demo);
    const std::vector<uint8_t> record = writeBinaryProject(*demo);
    ASSERT_EQ(player.size(), executable.size() + record.size() + 8);
    EXPECT_TRUE(std::equal(executable.begin(), executable.end(), player.begin()));
    EXPECT_EQ(std::string(player.end() - 4, player.end()), "DEMO");
    std::ofstream("player", std::ios::binary)
        .write(reinterpret_cast<const char*>(player.data()), static_cast<std::streamsize>(player.size()));
    EXPECT_EQ(readAppendedProject("player"), record);

    // A player exported from a player: the last project wins.
    const std::vector<uint8_t> twice = makePlayer(player, Demo());
    std::ofstream("twice", std::ios::binary)
        .write(reinterpret_cast<const char*>(twice.data()), static_cast<std::streamsize>(twice.size()));
    EXPECT_EQ(readAppendedProject("twice"), writeBinaryProject(Demo()));

    EXPECT_EQ(readAppendedProject("missing"), std::nullopt);
    std::ofstream("plain") << "no trailer here";
    EXPECT_EQ(readAppendedProject("plain"), std::nullopt);
    std::ofstream("lying", std::ios::binary) << "abc" << std::string("\xff\xff\x00\x00", 4) << "DEMO";
    EXPECT_EQ(loadErrorOf([] { readAppendedProject("lying"); }), LoadErrorKind::DamagedPlayer);
}

TEST_F(ProjectFilesTest, ProjectFormSavesWriteOnlyInsideTheWorkingDirectory) {
    auto demo = buildRichProject();
    demo->textures[0]->name = "../escaped.png";
    demo->audio_samples[0]->name = "/tmp/quillfront-absolute.wav";
    writeJsonProject(*demo, true);
    EXPECT_FALSE(std::filesystem::exists("resources")) << "making the text writes no file";
    const std::vector<WriteFailure> failures = writeResourceFiles(projectResourceFiles(*demo));
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].path, "../escaped.png");
    EXPECT_EQ(failures[1].path, "/tmp/quillfront-absolute.wav");
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "escaped.png"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/quillfront-absolute.wav"));
    EXPECT_TRUE(std::filesystem::exists("resources/tunnel.frag"));
    EXPECT_TRUE(std::filesystem::exists("resources/sans.ttf"));
    EXPECT_TRUE(std::filesystem::exists("resources/music.mp3"));
}

TEST_F(ProjectFilesTest, ProjectFormReloadsFromTheResourceFiles) {
    const auto demo = buildRichProject();
    const std::string json = writeJsonProject(*demo, true);
    EXPECT_TRUE(writeResourceFiles(projectResourceFiles(*demo)).empty());
    const auto reloaded = readJsonProject(json);
    EXPECT_EQ(writeJsonProject(*reloaded, false), writeJsonProject(*demo, false));
    std::filesystem::remove("resources/kick.wav");
    try {
        readJsonProject(json);
        FAIL() << "no error";
    } catch (const LoadError& error) {
        EXPECT_EQ(error.kind(), LoadErrorKind::MissingFile);
        EXPECT_STREQ(error.what(), "File not found: resources/kick.wav");
    }
}

TEST_F(ProjectFilesTest, ProjectsReadResourcesOnlyFromRegularFilesInsideTheWorkingDirectory) {
    const std::string lists = R"("shaders": [], "effects": [], "event_groups": [], "events": [], "music": "")";
    const auto loadTexture = [&](const std::string& name) {
        return readJsonProject(R"({"textures": [{"name": ")" + name + R"("}], )" + lists + "}");
    };
    for (const char* outside : {"/dev/zero", "/etc/passwd", "../secret.png", "resources/../../secret.png"}) {
        try {
            loadTexture(outside);
            FAIL() << outside;
        } catch (const LoadError& error) {
            EXPECT_EQ(error.kind(), LoadErrorKind::RefusedPath);
            EXPECT_EQ(std::string(error.what()),
                      std::string("Refused to read ") + outside + ": not a file inside the working directory");
        }
    }
    std::filesystem::create_directory("resources");
    ASSERT_EQ(mkfifo("resources/pipe.png", 0600), 0);
    EXPECT_THROW(loadTexture("resources/pipe.png"), LoadError) << "a pipe would block the load";
    std::filesystem::create_directory("resources/folder.png");
    EXPECT_THROW(loadTexture("resources/folder.png"), LoadError);

    const auto shaders = readJsonProject(R"({"textures": [], "shaders": [{"vertex_shader_filename": "/etc/passwd",
        "fragment_shader_filename": "resources/pipe.png"}], "effects": [], "event_groups": [], "events": [],
        "music": ""})");
    EXPECT_EQ(shaders->shaders[0]->vertexShaderSource, "");
    EXPECT_EQ(shaders->shaders[0]->fragmentShaderSource, "");
}

} // namespace
