// Project operations: a remove clears every reference and its restore puts the
// project back byte for byte; names stay unique; a rename carries override keys.
#include "project/ProjectOperations.h"
#include "project/ProjectFiles.h"
#include "support/RichProject.h"
#include "support/TestEvents.h"

#include <gtest/gtest.h>

namespace {

struct Saved {
    std::string json;
    std::string completeJson;
    std::vector<uint8_t> binary;

    explicit Saved(const Demo& demo)
        : json(writeJsonProject(demo, true)), completeJson(writeJsonProject(demo, false)),
          binary(writeBinaryProject(demo)) {}
    bool operator==(const Saved&) const = default;
};

// Both forms load back without a reference that names nothing.
void expectLoadsCleanly(const Demo& demo, const std::string& what) {
    const std::unique_ptr<Demo> fromJson = readJsonProject(writeJsonProject(demo, false));
    EXPECT_TRUE(fromJson->unresolvedReferences.empty()) << what << ": " << fromJson->unresolvedReferences.front();
    const std::unique_ptr<Demo> fromBinary = readBinaryProject(writeBinaryProject(demo));
    EXPECT_TRUE(fromBinary->unresolvedReferences.empty()) << what;
}

// Removes each object of the list in turn from the rich project.
template <typename T> void expectEveryRemoveUndoesExactly() {
    const size_t count = objectsOf<T>(*buildRichProject()).size();
    ASSERT_GT(count, 0u) << kindOf<T>();
    for (size_t i = 0; i < count; ++i) {
        std::unique_ptr<Demo> demo = buildRichProject();
        const Saved before(*demo);
        T* object = objectsOf<T>(*demo)[i].get();
        const std::string what = std::string(kindOf<T>()) + " \"" + nameOf(*object) + "\"";
        Removal<T> removal = removeObject(*demo, *object);
        EXPECT_EQ(removal.object.get(), object) << what;
        EXPECT_EQ(objectsOf<T>(*demo).size(), count - 1) << what;
        expectLoadsCleanly(*demo, what);

        EXPECT_EQ(&restoreObject(*demo, removal), object) << what;
        EXPECT_TRUE(Saved(*demo) == before) << what << " is not back as it was";
    }
}

TEST(ProjectOperationsTest, EveryRemoveClearsItsReferencesAndItsRestoreGivesTheSameBytes) {
    expectEveryRemoveUndoesExactly<Event>();
    expectEveryRemoveUndoesExactly<Effect>();
    expectEveryRemoveUndoesExactly<ShaderProgram>();
    expectEveryRemoveUndoesExactly<Texture>();
    expectEveryRemoveUndoesExactly<AudioSample>();
    expectEveryRemoveUndoesExactly<EventGroup>();
    expectEveryRemoveUndoesExactly<Font>();
    expectEveryRemoveUndoesExactly<FontTexture>();
}

TEST(ProjectOperationsTest, RemovesReachEveryKindOfReference) {
    std::unique_ptr<Demo> demo = buildRichProject();
    Event& intro = *demo->events[0];
    Event& replay = *demo->events.back();
    EventGroup& group = *demo->event_groups[0];
    group.events.push_back(&intro); // listed twice
    Removal<Event> removedIntro = removeObject(*demo, intro);
    EXPECT_EQ(group.events.size(), 2u) << "both entries go";
    EXPECT_FALSE(replay.variables.contains("intro.speed")) << "the override of a removed member goes";
    restoreObject(*demo, removedIntro);
    EXPECT_EQ(group.events, (std::vector<Event*>{&intro, demo->events[1].get(), demo->events[2].get(), &intro}));

    Effect& right = *demo->effects[2];
    Removal<Texture> removedLogo = removeObject(*demo, *demo->textures[0]);
    EXPECT_TRUE(right.textures.empty()) << "an effect listing it twice loses both";
    Removal<Font> removedFont = removeObject(*demo, *demo->fonts[0]);
    EXPECT_EQ(demo->font_textures[0]->font, nullptr);
    Removal<EventGroup> removedGroup = removeObject(*demo, group);
    EXPECT_EQ(replay.group, nullptr);
    Removal<AudioSample> removedKick = removeObject(*demo, *demo->audio_samples[0]);
    EXPECT_EQ(demo->events[2]->audioSample, nullptr);
    Removal<ShaderProgram> removedProgram = removeObject(*demo, *demo->shaders[0]);
    for (const auto& effect : demo->effects)
        EXPECT_EQ(effect->program, nullptr);
    Removal<FontTexture> removedCaption = removeObject(*demo, *demo->font_textures[0]);
    EXPECT_TRUE(right.fontTextures.empty());
    expectLoadsCleanly(*demo, "everything but events and effects removed");
}

TEST(ProjectOperationsTest, NamesStayUniqueWithinAList) {
    Demo demo;
    auto untitled = [] { return std::make_unique<Effect>(); };
    EXPECT_EQ(addObject(demo, untitled()).name, "untitled effect");
    EXPECT_EQ(addObject(demo, untitled()).name, "untitled effect 2");
    Effect& glow = addObject(demo, std::make_unique<Effect>("glow", nullptr, nullptr, nullptr, false, false));
    EXPECT_EQ(addObject(demo, std::make_unique<Effect>("glow", nullptr, nullptr, nullptr, false, false)).name,
              "glow 2");

    EXPECT_EQ(renameObject(demo, glow, "untitled effect"), "Another effect is named \"untitled effect\"");
    EXPECT_EQ(renameObject(demo, glow, ""), "A name cannot be empty");
    EXPECT_EQ(glow.name, "glow");
    EXPECT_EQ(renameObject(demo, glow, "glow"), std::nullopt) << "its own name is no clash";
    EXPECT_EQ(renameObject(demo, glow, "bloom"), std::nullopt);
    EXPECT_EQ(glow.name, "bloom");

    addObject(demo, std::make_unique<ShaderProgram>());
    EXPECT_EQ(addObject(demo, std::make_unique<ShaderProgram>()).fragmentShaderFilename, "resources/untitled 2.frag");
    // An image imported twice keeps its file's name: both hold the same bytes.
    addObject(demo, std::make_unique<Texture>("resources/logo.png", std::span<const uint8_t>()));
    EXPECT_EQ(addObject(demo, std::make_unique<Texture>("resources/logo.png", std::span<const uint8_t>())).name,
              "resources/logo.png");
    EXPECT_EQ(repeatedNames(demo), std::vector<std::string>()) << "repeated image names are harmless";
}

TEST(ProjectOperationsTest, ARenameCarriesTheOverrideKeysOfTheGroupEventsThatReplayIt) {
    std::unique_ptr<Demo> demo = buildRichProject();
    Event& intro = *demo->events[0];
    Event& replay = *demo->events.back();
    replay.variable("intro2.speed").points = {{0.0f, 9.0f, ""}}; // a stale key in the way
    replay.variable("introduction").points = {{0.0f, 1.0f, ""}}; // not an override of "intro"
    const Saved before(*demo);

    ASSERT_EQ(renameObject(*demo, intro, "opening"), std::nullopt);
    EXPECT_TRUE(replay.variables.contains("opening.speed"));
    EXPECT_FALSE(replay.variables.contains("intro.speed"));
    EXPECT_TRUE(replay.variables.contains("introduction"));
    ASSERT_EQ(renameObject(*demo, intro, "intro"), std::nullopt);
    EXPECT_TRUE(Saved(*demo) == before) << "renaming back restores every key";

    ASSERT_EQ(renameObject(*demo, intro, "intro2"), std::nullopt);
    EXPECT_EQ(replay.findVariable("intro2.speed")->points[0].value, 9.0f) << "a key in use is not overwritten";
    ASSERT_EQ(renameObject(*demo, intro, "intro"), std::nullopt);
    EXPECT_TRUE(Saved(*demo) == before) << "renaming back past a key in use";
}

TEST(ProjectOperationsTest, ALoadedProjectKeepsRepeatedNamesAndTheyAreListed) {
    const std::unique_ptr<Demo> demo = readJsonProject(R"({"events": [
        {"type": 1, "name": "a", "effect": "fx", "start_beat": 0.0, "end_beat": 4.0},
        {"type": 1, "name": "a", "effect": "fx", "start_beat": 4.0, "end_beat": 8.0}],
        "effects": [{"name": "fx"}, {"name": "fx"}], "shaders": [], "textures": [], "event_groups": [],
        "end_beat": 8.0, "bpm": 120.0, "beat_offset": 0.0, "music": ""})");
    EXPECT_EQ(demo->events.size(), 2u);
    EXPECT_EQ(repeatedNames(*demo), (std::vector<std::string>{"event \"a\"", "effect \"fx\""}));
}

TEST(ProjectOperationsTest, MembersAndSwapsAreTheirOwnUndo) {
    std::unique_ptr<Demo> demo = buildRichProject();
    const Saved before(*demo);
    EventGroup& group = *demo->event_groups[0];
    Event* second = removeMember(group, 1);
    EXPECT_EQ(group.events.size(), 2u);
    insertMember(group, 1, *second);
    swapObjects<Event>(*demo, 0, 3);
    swapObjects<Event>(*demo, 0, 3);
    EXPECT_TRUE(Saved(*demo) == before);

    FontTexture& text = *demo->font_textures[0];
    const uint64_t textMark = text.edits.value();
    setField(text, &FontTexture::width, 64);
    EXPECT_NE(text.edits.value(), textMark) << "the render cache sees the change";
    Effect& effect = *demo->effects[0];
    const uint64_t effectMark = effect.edits.value();
    setField(effect, &Effect::feedback, true);
    EXPECT_EQ(effect.edits.value(), effectMark) << "an effect's GL objects stay";
}

} // namespace
