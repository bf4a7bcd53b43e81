// Demos made and unmade through the managers, judged by what they show and
// sound like: a demo built in an empty folder survives all three save forms,
// and undoing the delete of anything others use brings the same frame back.
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "composition/OfflineComposer.h"
#include "editor/edits/ProjectEdits.h"
#include "editor/windows/MainMenu.h"
#include "project/ProjectFiles.h"
#include "project/ResourceFiles.h"
#include "support/PausedEditorTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

// What the demo shows at a beat and what was heard over the beat before it, composed offline.
struct Moment {
    std::vector<uint8_t> picture; // 64 x 36 RGB
    std::vector<int16_t> sound;
    bool operator==(const Moment&) const = default;
    bool silent() const {
        return std::all_of(sound.begin(), sound.end(), [](int16_t value) { return value == 0; });
    }
};

Moment momentOf(Demo& demo, double beat) {
    RenderCache cache;
    AudioCache sounds;
    OfflineMix mix({}, sounds);
    const FrameGrid grid{Tempo::of(demo), 30};
    OfflineComposer composer(demo, cache, mix, grid, {64, 36}, mixRate);
    const int64_t first = grid.firstFrameFrom(std::max(0.0, beat - 1.0));
    const int64_t last = grid.firstFrameFrom(beat);
    for (int64_t frame = first; frame <= last; ++frame)
        composer.compose(frame);
    Moment moment;
    composer.readPixels(moment.picture);
    const int64_t from = grid.mixPositionOf(first, mixRate);
    const int64_t count = grid.mixPositionOf(last, mixRate) - from;
    moment.sound.resize(static_cast<size_t>(count) * 2);
    mix.mix(from, count, moment.sound.data());
    return moment;
}

// The project written in `form` and read back, as the editor's commands do.
enum class Form { completeJson, projectJson, binary };

std::unique_ptr<Demo> reloaded(const Demo& demo, Form form) {
    if (form == Form::binary)
        return readBinaryProject(writeBinaryProject(demo));
    const bool projectForm = form == Form::projectJson;
    if (projectForm)
        for (const ResourceFile& file : projectResourceFiles(demo))
            std::ofstream(file.path, std::ios::binary)
                .write(reinterpret_cast<const char*>(file.bytes.data()),
                       static_cast<std::streamsize>(file.bytes.size()));
    return readJsonProject(writeJsonProject(demo, projectForm));
}

// Every save form reloads to the same project, showing and sounding the same.
void expectEveryFormReloads(Demo& demo, double beat) {
    const Moment live = momentOf(demo, beat);
    for (Form form : {Form::completeJson, Form::projectJson, Form::binary}) {
        std::unique_ptr<Demo> again = reloaded(demo, form);
        EXPECT_EQ(writeJsonProject(*again, false), writeJsonProject(demo, false)) << "form " << static_cast<int>(form);
        EXPECT_TRUE(momentOf(*again, beat) == live) << "form " << static_cast<int>(form);
    }
}

void choose(GuiDriver& gui, const char* window, const char* button, const char* title, const char* file) {
    gui.click(window, button);
    gui.typeInto(ItemPath{title, "Filename"}, file, AfterTyping::keepEditing);
    gui.click(ItemPath{title, "OK"});
}

const char* const imageShader = "#version 150\n"
                                "uniform vec2 resolution;\n"
                                "uniform sampler2D tex;\n"
                                "out vec4 c;\n"
                                "void main() { c = vec4(texture(tex, gl_FragCoord.xy / resolution).rgb, 1.0); }\n";

TEST(ManagerDemosTest, ADemoBuiltInAnEmptyFolderSavesReloadsAndPlaysTheSame) {
    EditorSession session(StartIn::emptyFolder);
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    Demo& demo = session.demo();
    gui.click(editorTitle, "Pause");
    std::filesystem::create_directory("resources");
    for (const char* file : {"logo.png", "DejaVuSans-Bold.ttf", "whoosh.wav"})
        std::filesystem::copy_file(std::string(QUILLFRONT_EXAMPLE) + "/resources/" + file,
                                   std::string("resources/") + file);
    // The shader comes as the Shader Editor's "New" will bring it: through the edit history.
    auto shader = std::make_unique<ShaderProgram>(imageShader);
    shader->fragmentShaderFilename = "resources/image.frag";
    addObject(session.app.editor.history, demo, std::move(shader));

    gui.ctrlShiftKey(SDLK_x);
    choose(gui, "Texture Manager", "Import image...", "Import image file", "logo.png");
    gui.ctrlShiftKey(SDLK_x);
    gui.ctrlShiftKey(SDLK_f);
    choose(gui, "Font Manager", "Import new Font...", "Import Font file", "DejaVuSans-Bold.ttf");
    gui.click(ItemPath{"Font Manager", "Inspector", "Create Font Texture..."});
    gui.typeInto(ItemPath{"New Font Texture", "Name"}, "title", AfterTyping::keepEditing);
    gui.click(ItemPath{"New Font Texture", "Create"});
    gui.ctrlShiftKey(SDLK_f);
    gui.ctrlShiftKey(SDLK_m);
    choose(gui, "Sample Manager", "Import Sample...", "Import Sample", "whoosh.wav");
    gui.click(ItemPath{"Sample Manager", "Inspector", "Create Audio Sample Event..."});
    gui.typeInto(ItemPath{"Create Audio Sample Event", "Event name"}, "hit", AfterTyping::keepEditing);
    gui.click(ItemPath{"Create Audio Sample Event", "OK"});
    gui.ctrlShiftKey(SDLK_m);

    const ItemPath inspector{"Effect Manager", "Inspector"};
    gui.click("Effect Manager", "New");
    gui.chooseComboItem(inspector / "Shader", "resources/image.frag");
    gui.chooseComboItem(inspector / "##texture", "resources/logo.png");
    gui.click(inspector / "Add##texture");
    gui.chooseComboItem(inspector / "##add_font_texture", "title");
    gui.click(inspector / "Add##font_texture");
    gui.click(inspector / "Create Effect Event...");
    gui.typeInto(ItemPath{"Create Effect Event", "Name"}, "main", AfterTyping::keepEditing);
    gui.click(ItemPath{"Create Effect Event", "OK"});

    ASSERT_EQ(demo.events.size(), 2u);
    ASSERT_EQ(demo.effects.size(), 1u);
    const Effect& made = *demo.effects[0];
    EXPECT_EQ(made.textures, std::vector<Texture*>{demo.textures.at(0).get()});
    EXPECT_EQ(made.fontTextures, std::vector<FontTexture*>{demo.font_textures.at(0).get()});
    const Moment moment = momentOf(demo, 0.5);
    EXPECT_FALSE(moment.silent()) << "the sample event is heard";
    EXPECT_NE(std::count(moment.picture.begin(), moment.picture.end(), 0), std::ssize(moment.picture))
        << "the image is drawn";
    expectEveryFormReloads(demo, 0.5);
}

// The bundled example, with the four managers open in turn.
class UndoneDeleteTest : public PausedEditorTest {
protected:
    Demo& demo() { return session.demo(); }

    // Selects `row` and presses `deleteButton` of `window` (opened and closed by `windowKey`):
    // the demo then differs at `beat`, saves and reloads as it stands, and undo brings it back.
    void expectDeleteUndoes(SDL_Keycode windowKey, const ItemPath& row, const char* window, const char* deleteButton,
                            double beat) {
        if (windowKey)
            gui.ctrlShiftKey(windowKey);
        const Moment before = momentOf(demo(), beat);
        gui.click(row);
        gui.click(window, deleteButton);
        EXPECT_FALSE(momentOf(demo(), beat) == before) << deleteButton << " of " << row.describe();
        expectEveryFormReloads(demo(), beat);
        gui.ctrlKey(SDLK_z);
        EXPECT_TRUE(momentOf(demo(), beat) == before) << row.describe() << " undone";
        if (windowKey)
            gui.ctrlShiftKey(windowKey);
    }
};

TEST_F(UndoneDeleteTest, UndoingADeleteBringsTheSameFrameBack) {
    expectDeleteUndoes(SDLK_x, {"Texture Manager", "Selectables", 0, "resources/logo.png"}, "Texture Manager", "Delete",
                       60.0);
    expectDeleteUndoes(SDLK_f, {"Font Manager", "Selectables", 0, "resources/DejaVuSans-Bold.ttf (48 pt)"},
                       "Font Manager", "Delete", 10.0);
    expectDeleteUndoes(SDLK_f, {"Font Manager", "Font Textures", 0, "caption"}, "Font Manager", "Delete##font_texture",
                       10.0);
    expectDeleteUndoes(SDLK_m, {"Sample Manager", "Selectables", 0, "resources/whoosh.wav"}, "Sample Manager", "Delete",
                       15.5);
    expectDeleteUndoes(0, {"Effect Manager", "Selectables", 4, "logo"}, "Effect Manager", "Delete", 60.0);
}

} // namespace
