// The Effect, Texture, Font and Sample Managers through the real editor on the
// bundled example: their lists and counts, every edit undone and redone to the
// same bytes, imports that refuse what they cannot use, and deletes that leave
// no reference behind and undo to the same picture.
#include "audio/SampleSound.h"
#include "support/EventManagerTest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char* const effects = "Effect Manager";
const char* const textures = "Texture Manager";
const char* const fonts = "Font Manager";
const char* const samples = "Sample Manager";
const ItemPath effectInspector{effects, "Inspector"};
const ItemPath fontTextureInspector{fonts, "Font Texture Inspector"};
const char* const fontName = "resources/DejaVuSans-Bold.ttf (48 pt)";

// The bundled example's effects, by index.
enum ExampleEffect { skyEffect = 0, trailsEffect = 2, logoEffect = 4, compositeEffect = 5, textEffect = 6 };

ItemPath listRow(const char* window, const char* list, int index, const std::string& name) {
    return ItemPath{window, list, index, name};
}

class ManagerWindowsTest : public EventManagerTest {
protected:
    Effect& effect(int index) { return *demo().effects.at(static_cast<size_t>(index)); }
    void selectEffect(int index) { gui.click(listRow(effects, "Selectables", index, effect(index).name)); }

    // Chooses `file` in the import picker `title`, opened by `button` of `window`.
    void import(const char* window, const char* button, const char* title, const std::string& file) {
        gui.click(window, button);
        gui.typeInto(ItemPath{title, "Filename"}, file, AfterTyping::keepEditing);
        gui.click(ItemPath{title, "OK"});
    }
    std::string status() { return session.app.status.text; }
};

TEST_F(ManagerWindowsTest, TheEffectListFiltersMakesDeletesAndFollowsRequests) {
    EXPECT_THAT(gui.shownText(effects), HasSubstr("8 Effects"));
    std::string before = saved();
    gui.click(effects, "Delete");
    EXPECT_EQ(saved(), before) << "Delete with nothing selected";

    gui.typeInto(ItemPath{effects, "##effectfilter"}, "trail");
    EXPECT_TRUE(gui.exists(listRow(effects, "Selectables", trailsEffect, "trails")));
    EXPECT_TRUE(gui.exists(listRow(effects, "Selectables", 3, "trails glow")));
    EXPECT_FALSE(gui.exists(listRow(effects, "Selectables", skyEffect, "sky")));
    gui.typeInto(ItemPath{effects, "##effectfilter"}, "Trail");
    EXPECT_FALSE(gui.exists(listRow(effects, "Selectables", trailsEffect, "trails"))) << "the filter minds letter case";
    gui.click(effects, "Show All");

    // The Event Manager's "Edit" beside "renders Effect: text".
    select(titles);
    gui.click(inspector / "Edit");
    EXPECT_TRUE(gui.isChecked(listRow(effects, "Selectables", textEffect, "text")));
    EXPECT_EQ(session.app.editor.effectManager.effects.selected, &effect(textEffect));

    gui.click(effects, "New");
    ASSERT_EQ(demo().effects.size(), 9u);
    EXPECT_EQ(effect(8).name, "untitled effect");
    EXPECT_EQ(effect(8).program, nullptr);
    EXPECT_TRUE(gui.isChecked(listRow(effects, "Selectables", 8, "untitled effect")));
    expectStep(before, "Add effect \"untitled effect\"");

    // "logo" is an input of "composite"; deleting it takes it out of that list too.
    selectEffect(logoEffect);
    before = saved();
    gui.click(effects, "Delete");
    EXPECT_EQ(effect(compositeEffect - 1).effects, std::vector<Effect*>{&effect(trailsEffect)});
    EXPECT_EQ(session.app.editor.effectManager.effects.selected, nullptr) << "nothing is selected after a delete";
    expectStep(before, "Delete effect \"logo\"");
}

TEST_F(ManagerWindowsTest, TheEffectInspectorEditsUndoAndRedo) {
    selectEffect(compositeEffect);
    Effect& composite = effect(compositeEffect);
    std::string before = saved();
    gui.typeInto(effectInspector / "Name", "mixdown");
    EXPECT_EQ(composite.name, "mixdown");
    expectOneStep(before, "Rename effect \"composite\"");

    // A new shader keeps the effect's GL objects: no quad per click, and the feedback picture stays.
    const EffectTargets& targets = session.app.project.render->effect(composite);
    const uint32_t vertexArray = targets.vertexArray;
    const uint32_t output = targets.output.texture;
    before = saved();
    gui.chooseComboItem(effectInspector / "Shader", "resources/glow.frag");
    EXPECT_EQ(composite.program->fragmentShaderFilename, "resources/glow.frag");
    gui.frames(2);
    EXPECT_EQ(session.app.project.render->effect(composite).vertexArray, vertexArray);
    EXPECT_EQ(session.app.project.render->effect(composite).output.texture, output);
    expectStep(before, "Draw effect \"mixdown\" with resources/glow.frag");
    before = saved();
    gui.chooseComboItem(effectInspector / "Shader", "resources/glow.frag");
    EXPECT_EQ(saved(), before) << "the same shader again changes nothing";

    for (const char* box : {"Input from self (feedback loop)", "Add entire screen as texture"}) {
        before = saved();
        gui.click(effectInspector / box);
        expectStep(before, "Tick \"" + std::string(box) + "\" of effect \"mixdown\"");
    }

    before = saved();
    gui.click(effectInspector / "Effects" / 0 / "Down");
    EXPECT_EQ(composite.effects[0], &effect(logoEffect));
    expectStep(before, "Move input effect \"trails\" down in effect \"mixdown\"");
    before = saved();
    gui.chooseComboItem(effectInspector / "##effect", "sky");
    gui.click(effectInspector / "Add##effect");
    EXPECT_EQ(composite.effects.back(), &effect(skyEffect));
    expectStep(before, "Add input effect \"sky\" to effect \"mixdown\"");
    before = saved();
    gui.click(effectInspector / "Effects" / 0 / "Delete");
    EXPECT_EQ(composite.effects.size(), 2u);
    expectStep(before, "Remove input effect \"logo\" in effect \"mixdown\"");

    before = saved();
    gui.chooseComboItem(effectInspector / "##texture", "resources/logo.png");
    gui.click(effectInspector / "Add##texture");
    gui.chooseComboItem(effectInspector / "##add_font_texture", "caption");
    gui.click(effectInspector / "Add##font_texture");
    EXPECT_EQ(composite.textures.size(), 1u);
    EXPECT_EQ(composite.fontTextures.size(), 1u);
    EXPECT_THAT(gui.shownText(effectInspector), HasSubstr("1 Font Texture"));
    const std::string withInputs = saved();
    gui.click(effectInspector / "Font Textures" / 0 / "Delete");
    EXPECT_TRUE(composite.fontTextures.empty());
    expectStep(withInputs, "Remove font texture \"caption\" in effect \"mixdown\"");

    gui.click(effectInspector / "Create Effect Event...");
    gui.typeInto(ItemPath{"Create Effect Event", "Name"}, "mix", AfterTyping::keepEditing);
    before = saved();
    gui.click(ItemPath{"Create Effect Event", "OK"});
    const Event& made = *demo().events.back();
    EXPECT_EQ(made.name, "mix");
    EXPECT_EQ(made.effect, &composite);
    EXPECT_EQ(made.startBeat, 0.0f);
    EXPECT_EQ(made.endBeat, 64.0f);
    expectStep(before, "Add event \"mix\"");

    gui.click(effectInspector / "Effects" / 0 / "trails");
    EXPECT_EQ(session.app.editor.effectManager.effects.selected, &effect(trailsEffect)) << "an input's name selects it";

    gui.click(effectInspector / "Edit");
    EXPECT_TRUE(gui.windowShown("Shader Editor"));
    EXPECT_EQ(session.app.editor.shaderEditor.shown, effect(trailsEffect).program) << "the effect's shader shows";
}

TEST_F(ManagerWindowsTest, TexturesImportOnlyWhatDecodesAndDeleteFromEveryEffect) {
    // An image that never decoded (GL name 0) stays in an effect's list when its row's "Delete" is pressed.
    const std::vector<uint8_t> garbage{1, 2, 3, 4};
    demo().textures.push_back(std::make_unique<Texture>("resources/broken.png", garbage));
    Texture& broken = *demo().textures.back();
    effect(logoEffect).textures.push_back(&broken);
    selectEffect(logoEffect);
    gui.click(effectInspector / "Textures" / 1 / "Delete");
    EXPECT_EQ(effect(logoEffect).textures.size(), 2u);
    Texture* logo = effect(logoEffect).textures[0];
    std::string before = saved();
    gui.click(effectInspector / "Textures" / 0 / "Down");
    EXPECT_EQ(effect(logoEffect).textures, (std::vector<Texture*>{&broken, logo}));
    expectStep(before, "Move texture \"resources/logo.png\" down in effect \"logo\"");
    gui.click(effectInspector / "Textures" / 1 / "Up");
    EXPECT_EQ(effect(logoEffect).textures, (std::vector<Texture*>{logo, &broken}));

    gui.ctrlShiftKey(SDLK_x);
    EXPECT_THAT(gui.shownText(textures), HasSubstr("2 Textures"));
    gui.click(listRow(textures, "Selectables", 1, "resources/broken.png"));
    EXPECT_THAT(gui.shownText(ItemPath{textures, "Inspector"}), HasSubstr("ID: 0    Dimensions: 0 x 0"));

    std::ofstream("resources/garbage.png") << "not a picture";
    for (const char* unusable : {"missing.png", "garbage.png"}) {
        before = saved();
        import(textures, "Import image...", "Import image file", unusable);
        EXPECT_EQ(saved(), before) << unusable;
        EXPECT_THAT(status(), HasSubstr("resources/" + std::string(unusable) + " not imported: "));
    }
    before = saved();
    gui.click(textures, "Import image...");
    gui.frames(2);                                            // the popup takes its size
    gui.clickText(ItemPath{"Import image file"}, "logo.png"); // a name in the picker's list
    gui.click(ItemPath{"Import image file", "OK"});
    EXPECT_EQ(status(), "resources/logo.png imported");
    EXPECT_THAT(gui.shownText(textures), HasSubstr("3 Textures")) << "the same file twice gives two textures";
    EXPECT_THAT(gui.shownText(ItemPath{textures, "Inspector"}), HasSubstr("Dimensions: 256 x 256"));
    expectStep(before, "Add texture \"resources/logo.png\"");

    gui.click(listRow(textures, "Selectables", 0, "resources/logo.png"));
    before = saved();
    gui.click(textures, "Delete");
    EXPECT_EQ(effect(logoEffect).textures, std::vector<Texture*>{&broken});
    EXPECT_EQ(session.app.editor.textureManager.textures.selected, nullptr);
    expectStep(before, "Delete texture \"resources/logo.png\"");
}

TEST_F(ManagerWindowsTest, FontsAndFontTexturesAreMadeTunedAndDeleted) {
    gui.ctrlShiftKey(SDLK_f);
    EXPECT_THAT(gui.shownText(fonts), HasSubstr("1 Font"));
    gui.click(listRow(fonts, "Selectables", 0, fontName));

    std::string before = saved();
    gui.typeInto(ItemPath{fonts, "Inspector", "##font name"}, "headline");
    EXPECT_EQ(demo().fonts[0]->name, "headline");
    expectOneStep(before, "Rename font \"resources/DejaVuSans-Bold.ttf (48 pt)\"");
    gui.ctrlKey(SDLK_z);

    // A new font texture takes the last size used, 320 x 240 at first, and only with a name.
    const ItemPath dialog{"New Font Texture"};
    gui.click(ItemPath{fonts, "Inspector", "Create Font Texture..."});
    EXPECT_EQ(gui.shownText(dialog / "Width"), "320");
    EXPECT_EQ(gui.shownText(dialog / "Height"), "240");
    before = saved();
    gui.click(dialog / "Create");
    EXPECT_EQ(saved(), before) << "no name, no font texture";
    gui.typeInto(dialog / "Name", "big", AfterTyping::keepEditing);
    gui.setValue(dialog / "Width", 200);
    gui.setValue(dialog / "Height", 100);
    gui.click(dialog / "Create");
    ASSERT_EQ(demo().font_textures.size(), 2u);
    FontTexture& big = *demo().font_textures[1];
    EXPECT_EQ(big.name, "big");
    EXPECT_EQ(big.width, 200);
    EXPECT_EQ(big.height, 100);
    expectStep(before, "Add font texture \"big\"");
    gui.click(ItemPath{fonts, "Inspector", "Create Font Texture..."});
    gui.click(dialog / "Create");
    EXPECT_EQ(demo().font_textures.back()->name, "big 2") << "the name is kept, and a taken one numbered";
    EXPECT_EQ(demo().font_textures.back()->width, 200);

    gui.click(listRow(fonts, "Font Textures", 1, "big"));
    before = saved();
    gui.click(fontTextureInspector / "Animated");
    EXPECT_EQ(big.charsPerBeat, 1);
    expectStep(before, "Animate font texture \"big\"");
    before = saved();
    gui.setValue(fontTextureInspector / "Characters per Beat", 9);
    EXPECT_EQ(big.charsPerBeat, 9);
    expectOneStep(before, "Change the typing speed of font texture \"big\"");
    gui.click(fontTextureInspector / "Animated");
    EXPECT_EQ(big.charsPerBeat, -1);
    gui.click(fontTextureInspector / "Animated");
    EXPECT_EQ(big.charsPerBeat, 1) << "ticking again starts at one character a beat";
    // The preview draws into the run-time texture only: looking changes nothing.
    before = saved();
    gui.typeInto(fontTextureInspector / "##preview", "hello", AfterTyping::keepEditing);
    EXPECT_EQ(session.app.project.render->text(big).currentText, "hello");
    EXPECT_EQ(saved(), before);
    before = saved();
    gui.click(fontTextureInspector / "Centered");
    expectStep(before, "Centre font texture \"big\"");
    before = saved();
    gui.setValue(fontTextureInspector / "width", 300);
    expectOneStep(before, "Resize font texture \"big\"");
    EXPECT_EQ(big.width, 300);

    // A second size of the font, then the example's caption drawn with it.
    gui.typeInto(ItemPath{fonts, "##NewFontSize"}, "20");
    import(fonts, "Import new Font...", "Import Font file", "missing.ttf");
    EXPECT_THAT(status(), HasSubstr("resources/missing.ttf not imported: "));
    before = saved();
    import(fonts, "Import new Font...", "Import Font file", "DejaVuSans-Bold.ttf");
    ASSERT_EQ(demo().fonts.size(), 2u);
    EXPECT_EQ(demo().fonts[1]->name, "resources/DejaVuSans-Bold.ttf (20 pt)");
    expectStep(before, "Add font \"resources/DejaVuSans-Bold.ttf (20 pt)\"");
    gui.click(listRow(fonts, "Font Textures", 0, "caption"));
    before = saved();
    gui.chooseComboItem(fontTextureInspector / "##current_font", "resources/DejaVuSans-Bold.ttf (20 pt)");
    EXPECT_EQ(demo().font_textures[0]->font, demo().fonts[1].get());
    expectStep(before, "Draw font texture \"caption\" with resources/DejaVuSans-Bold.ttf (20 pt)");

    // Deleting the font leaves its font textures without one; deleting "caption" takes it out of "text".
    gui.click(listRow(fonts, "Selectables", 1, "resources/DejaVuSans-Bold.ttf (20 pt)"));
    before = saved();
    gui.click(fonts, "Delete");
    EXPECT_EQ(demo().font_textures[0]->font, nullptr);
    EXPECT_EQ(session.app.editor.fontManager.fonts.selected, nullptr);
    expectStep(before, "Delete font \"resources/DejaVuSans-Bold.ttf (20 pt)\"");
    gui.click(listRow(fonts, "Font Textures", 0, "caption"));
    before = saved();
    gui.click(fonts, "Delete##font_texture");
    EXPECT_TRUE(effect(textEffect).fontTextures.empty());
    EXPECT_EQ(session.app.editor.fontManager.fontTextures.selected, nullptr);
    expectStep(before, "Delete font texture \"caption\"");
}

TEST_F(ManagerWindowsTest, SamplesAreCountedPlayedPlacedAndDeleted) {
    gui.ctrlShiftKey(SDLK_m);
    const ItemPath sampleInspector{samples, "Inspector"};
    EXPECT_THAT(gui.shownText(samples), HasSubstr("1 Audio Sample "));
    EXPECT_THAT(gui.shownText(sampleInspector), HasSubstr("resources/whoosh.wav")) << "the first sample, on opening";
    gui.click(samples, "Play");
    EXPECT_TRUE(session.app.liveMix.ducking()) << "heard at once as a sample event is, the music lowered";

    std::string before = saved();
    import(samples, "Import Sample...", "Import Sample", "whoosh.wav");
    EXPECT_THAT(gui.shownText(samples), HasSubstr("2 Audio Samples"));
    EXPECT_THAT(gui.shownText(sampleInspector), HasSubstr("Duration: "));
    EXPECT_THAT(gui.shownText(sampleInspector), Not(HasSubstr("Buffer size: 0")));
    expectStep(before, "Add audio sample \"resources/whoosh.wav\"");
    gui.click(listRow(samples, "Selectables", 1, "resources/whoosh.wav"));

    gui.click(sampleInspector / "Create Audio Sample Event...");
    gui.typeInto(ItemPath{"Create Audio Sample Event", "Event name"}, "hit", AfterTyping::keepEditing);
    before = saved();
    gui.click(ItemPath{"Create Audio Sample Event", "OK"});
    EXPECT_EQ(demo().events.back()->type, AudioSampleEvent);
    EXPECT_EQ(demo().events.back()->endBeat, 1.0f);
    expectStep(before, "Add event \"hit\"");

    // The Event Manager's "Edit" beside "Plays Audio Sample" selects the example's sample.
    select(whoosh15);
    gui.click(inspector / "Edit");
    EXPECT_EQ(session.app.editor.sampleManager.samples.selected, demo().audio_samples[0].get());
    before = saved();
    gui.click(samples, "Delete");
    EXPECT_EQ(event(whoosh15).audioSample, nullptr) << "its events play nothing";
    EXPECT_EQ(session.app.editor.sampleManager.samples.selected, demo().audio_samples[0].get())
        << "the first shows next";
    expectStep(before, "Delete audio sample \"resources/whoosh.wav\"");
    gui.click(listRow(samples, "Selectables", 0, "resources/whoosh.wav"));
    gui.click(samples, "Delete");
    EXPECT_THAT(gui.shownText(samples), HasSubstr("0 Audio Samples"));
    before = saved();
    gui.click(samples, "Delete");
    EXPECT_EQ(saved(), before) << "Delete with nothing to select";
}

} // namespace
