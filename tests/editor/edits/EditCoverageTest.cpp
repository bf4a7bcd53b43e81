// Every edit the editor's windows can make, through the model operation the
// window calls: each one undoes to the project's saved bytes and redoes to the
// edited ones. A window that learns a new edit adds it to `editKinds`; the
// random run then mixes it with all the others.
//
// Music import is the shell's and is covered with it.
#include "editor/edits/CurveEdits.h"
#include "editor/edits/ProjectEdits.h"
#include "project/ProjectFiles.h"
#include "project/ProjectOperations.h"
#include "support/RichProject.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>

namespace {

// Chooses what an edit changes and how.
struct Chooser {
    std::mt19937 engine;

    size_t below(size_t count) { return engine() % count; }
    bool coin() { return engine() % 2 == 0; }
    float beat() { return static_cast<float>(below(512)) / 4.0f; }
    std::string name(const std::string& stem) { return stem + " " + std::to_string(below(1000000)); }
    template <typename T> T* pick(const std::vector<std::unique_ptr<T>>& objects) {
        return objects.empty() ? nullptr : objects[below(objects.size())].get();
    }
    // One of `objects` other than `current`, or none: a combo's other choice.
    template <typename T> T* other(const T* current, const std::vector<std::unique_ptr<T>>& objects) {
        T* picked = pick(objects);
        return picked == current ? nullptr : picked;
    }
};

// Makes one edit of its kind on `demo`; false when the project holds nothing to edit that way.
using Edit = std::function<bool(Demo&, EditHistory&, Chooser&)>;

struct EditKind {
    const char* name; // the window and what the author does there
    Edit apply;
};

template <typename T, typename V>
Edit fieldEdit(std::vector<std::unique_ptr<T>> Demo::*list, V T::*field,
               std::function<V(const T&, Demo&, Chooser&)> value) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        T* object = chooser.pick(demo.*list);
        if (!object)
            return false;
        setField(history, *object, field, value(*object, demo, chooser), "Change a field");
        return true;
    };
}

// An effect's list of inputs as its "Add", "Delete", "Up" and "Down" change it.
template <typename T>
Edit inputEdit(std::vector<T*> Effect::*list, std::vector<std::unique_ptr<T>> Demo::*candidates, const char* kind) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        Effect* effect = chooser.pick(demo.effects);
        if (!effect)
            return false;
        const size_t count = ((*effect).*list).size();
        const size_t choice = chooser.below(3);
        if (choice == 0 || count == 0) {
            T* added = chooser.pick(demo.*candidates);
            if (added)
                addEffectInput(history, *effect, list, *added, kind);
            return added != nullptr;
        }
        if (choice == 1 || count == 1) {
            removeEffectInput(history, *effect, list, chooser.below(count), chooser.coin(), kind);
            return true;
        }
        const size_t at = 1 + chooser.below(count - 1);
        const bool up = chooser.coin();
        moveEffectInput(history, *effect, list, up ? at : at - 1, up, kind);
        return true;
    };
}

template <typename T> Edit removal(std::vector<std::unique_ptr<T>> Demo::*list) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        T* object = chooser.pick(demo.*list);
        if (object)
            removeObject(history, demo, *object);
        return object != nullptr;
    };
}

template <typename T> Edit rename(std::vector<std::unique_ptr<T>> Demo::*list, const char* stem) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        T* object = chooser.pick(demo.*list);
        return object && !renameObject(history, demo, *object, chooser.name(stem));
    };
}

template <typename T> Edit eventFor(std::vector<std::unique_ptr<T>> Demo::*list) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        T* object = chooser.pick(demo.*list);
        if (object)
            addEventFor(history, demo, *object, chooser.name("event").c_str(), chooser.beat() + 1.0f);
        return object != nullptr;
    };
}

Edit transportEdit(TransportField field) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        setTransportValue(history, demo, field, chooser.beat() + 1.0f);
        return true;
    };
}

Edit uniformEdit(float UniformDef::*field) {
    return [=](Demo& demo, EditHistory& history, Chooser& chooser) {
        ShaderProgram* program = chooser.pick(demo.shaders);
        if (!program || program->uniformDefs.empty())
            return false;
        setUniformValue(history, *program, chooser.below(program->uniformDefs.size()), field, chooser.beat(), {});
        return true;
    };
}

std::vector<uint8_t> someBytes(Chooser& chooser) { return std::vector<uint8_t>(1 + chooser.below(64), 0x5a); }

const std::vector<EditKind>& editKinds() {
    using D = Demo;
    static const std::vector<EditKind> kinds = {
        {"Transport row: BPM", transportEdit(TransportField::Bpm)},
        {"Transport row: Beat offset", transportEdit(TransportField::BeatOffset)},
        {"Transport row: End beat", transportEdit(TransportField::EndBeat)},
        {"Timeline: drag an event; Event Manager: Start",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             Event* event = chooser.pick(demo.events);
             const float start = chooser.beat();
             if (event)
                 moveEvent(history, *event, start, start + 1.0f + chooser.beat());
             return event != nullptr;
         }},
        {"Event Manager: Visible",
         fieldEdit<Event, bool>(&D::events, &Event::visible, [](const Event& e, Demo&, Chooser&) { return !e.visible; })},
        {"Event Manager: End and Length",
         fieldEdit<Event, float>(&D::events, &Event::endBeat,
                                 [](const Event& e, Demo&, Chooser& c) { return e.startBeat + 1.0f + c.beat(); })},
        {"Event Manager: name", rename(&D::events, "event")},
        {"Event Manager: Delete",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             // The transport's loop outlives every step that refers to it.
             static const Event* loop = nullptr;
             Event* event = chooser.pick(demo.events);
             if (event)
                 removeEvent(history, demo, *event, loop);
             return event != nullptr;
         }},
        {"Event Manager: Up and Down",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             if (demo.events.size() < 2)
                 return false;
             const size_t at = 1 + chooser.below(demo.events.size() - 1);
             swapObjects<Event>(history, demo, at - 1, at);
             return true;
         }},
        {"Event Manager: Add to Group, a new group",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             Event* event = chooser.pick(demo.events);
             if (!event)
                 return false;
             auto group = std::make_unique<EventGroup>();
             group->name = chooser.name("group");
             insertMember(*group, 0, *event);
             addObject(history, demo, std::move(group));
             return true;
         }},
        {"Event Manager: Add to Group, a group",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             Event* event = chooser.pick(demo.events);
             EventGroup* group = chooser.pick(demo.event_groups);
             if (event && group)
                 addMember(history, *group, *event);
             return event && group;
         }},
        {"Variables: a curve's points, mode and repeat",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             Event* event = chooser.pick(demo.events);
             if (event)
                 setVariable(history, *event, chooser.coin() ? "speed" : chooser.name("variable"),
                             constantCurve(chooser.beat(), static_cast<int32_t>(chooser.below(3)), chooser.coin()),
                             "Change a variable");
             return event != nullptr;
         }},
        {"Variables: Delete a variable",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             Event* event = chooser.pick(demo.events);
             if (!event || event->variables.empty())
                 return false;
             auto variable = event->variables.begin();
             std::advance(variable, chooser.below(event->variables.size()));
             setVariable(history, *event, variable->first, std::nullopt, "Delete a variable");
             return true;
         }},
        {"Effect Manager: New",
         [](Demo& demo, EditHistory& history, Chooser&) {
             addObject(history, demo, std::make_unique<Effect>());
             return true;
         }},
        {"Effect Manager: Delete", removal(&D::effects)},
        {"Effect Manager: Name", rename(&D::effects, "effect")},
        {"Effect Manager: Shader",
         fieldEdit<Effect, ShaderProgram*>(&D::effects, &Effect::program,
                                           [](const Effect& e, Demo& d, Chooser& c) { return c.other(e.program, d.shaders); })},
        {"Effect Manager: textures Add, Delete, Up, Down", inputEdit(&Effect::textures, &D::textures, "texture")},
        {"Effect Manager: input effects Add, Delete, Up, Down", inputEdit(&Effect::effects, &D::effects, "effect")},
        {"Effect Manager: font textures Add, Delete, Up, Down",
         inputEdit(&Effect::fontTextures, &D::font_textures, "font texture")},
        {"Effect Manager: Feedback",
         fieldEdit<Effect, bool>(&D::effects, &Effect::feedback, [](const Effect& e, Demo&, Chooser&) { return !e.feedback; })},
        {"Effect Manager: Screen texture",
         fieldEdit<Effect, bool>(&D::effects, &Effect::screenTexture,
                                 [](const Effect& e, Demo&, Chooser&) { return !e.screenTexture; })},
        {"Effect Manager: Create Effect Event", eventFor(&D::effects)},
        {"Texture Manager: import",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             addObject(history, demo, std::make_unique<Texture>(chooser.name("resources/image"), someBytes(chooser)));
             return true;
         }},
        {"Texture Manager: Delete", removal(&D::textures)},
        {"Sample Manager: import",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             addObject(history, demo, std::make_unique<AudioSample>(chooser.name("resources/sound"), someBytes(chooser)));
             return true;
         }},
        {"Sample Manager: Delete", removal(&D::audio_samples)},
        {"Sample Manager: Create Sample Event", eventFor(&D::audio_samples)},
        {"Font Manager: import a font",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             auto font = std::make_unique<Font>();
             font->name = chooser.name("font");
             font->filename = "resources/font.ttf";
             font->ptsize = 24;
             font->fontBuffer->data = someBytes(chooser);
             addObject(history, demo, std::move(font));
             return true;
         }},
        {"Font Manager: font name", rename(&D::fonts, "font")},
        {"Font Manager: Delete a font", removal(&D::fonts)},
        {"Font Manager: New font texture",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             addObject(history, demo, std::make_unique<FontTexture>(chooser.name("caption"), 320, 240, chooser.pick(demo.fonts)));
             return true;
         }},
        {"Font Manager: Delete a font texture", removal(&D::font_textures)},
        {"Font Manager: Font",
         fieldEdit<FontTexture, Font*>(&D::font_textures, &FontTexture::font,
                                       [](const FontTexture& t, Demo& d, Chooser& c) { return c.other(t.font, d.fonts); })},
        {"Font Manager: Animated and Speed",
         fieldEdit<FontTexture, int32_t>(&D::font_textures, &FontTexture::charsPerBeat,
                                         [](const FontTexture& t, Demo&, Chooser&) { return t.charsPerBeat + 1; })},
        {"Font Manager: Width",
         fieldEdit<FontTexture, int32_t>(&D::font_textures, &FontTexture::width,
                                         [](const FontTexture& t, Demo&, Chooser&) { return t.width + 8; })},
        {"Font Manager: Height",
         fieldEdit<FontTexture, int32_t>(&D::font_textures, &FontTexture::height,
                                         [](const FontTexture& t, Demo&, Chooser&) { return t.height + 8; })},
        {"Font Manager: Center",
         fieldEdit<FontTexture, bool>(&D::font_textures, &FontTexture::center,
                                      [](const FontTexture& t, Demo&, Chooser&) { return !t.center; })},
        {"Event Group Manager: name", rename(&D::event_groups, "group")},
        {"Event Group Manager: Create Group Event", eventFor(&D::event_groups)},
        {"Event Group Manager: remove a member",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             EventGroup* group = chooser.pick(demo.event_groups);
             if (!group || group->events.empty())
                 return false;
             removeMember(history, *group, chooser.below(group->events.size()));
             return true;
         }},
        {"Event Group Manager: Delete", removal(&D::event_groups)},
        {"Shader Editor: typing, Load, constants and the ShaderToy header",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             ShaderProgram* program = chooser.pick(demo.shaders);
             if (!program)
                 return false;
             std::string source = program->fragmentShaderSource;
             source.insert(chooser.below(source.size() + 1), chooser.name("// edit") + "\n");
             std::optional<SourceChange> run;
             setShaderSource(history, *program, std::move(source), "Edit", {}, run);
             return true;
         }},
        {"Shader Editor: file name", rename(&D::shaders, "resources/shader.frag")},
        {"Shader Editor: New",
         [](Demo& demo, EditHistory& history, Chooser&) {
             addObject(history, demo, std::make_unique<ShaderProgram>());
             return true;
         }},
        {"Shader Editor: Delete", removal(&D::shaders)},
        {"Shader Editor: Add uniform",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             ShaderProgram* program = chooser.pick(demo.shaders);
             if (program)
                 addUniform(history, *program);
             return program != nullptr;
         }},
        {"Shader Editor: uniform name",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             ShaderProgram* program = chooser.pick(demo.shaders);
             if (!program || program->uniformDefs.empty())
                 return false;
             renameUniform(history, *program, chooser.below(program->uniformDefs.size()), chooser.name("u"), {});
             return true;
         }},
        {"Shader Editor: uniform minimum", uniformEdit(&UniformDef::minVal)},
        {"Shader Editor: uniform maximum", uniformEdit(&UniformDef::maxVal)},
        {"Shader Editor: uniform default", uniformEdit(&UniformDef::defaultVal)},
        {"Shader Editor: Delete uniform",
         [](Demo& demo, EditHistory& history, Chooser& chooser) {
             ShaderProgram* program = chooser.pick(demo.shaders);
             if (!program || program->uniformDefs.empty())
                 return false;
             removeUniform(history, *program, chooser.below(program->uniformDefs.size()));
             return true;
         }},
    };
    return kinds;
}

// The complete form: every byte of the project is in it.
std::string saved(const Demo& demo) { return writeJsonProject(demo, false); }

class EveryEdit : public ::testing::TestWithParam<size_t> {};

TEST_P(EveryEdit, UndoesToTheSavedBytesAndRedoesToTheEditedOnes) {
    const EditKind& kind = editKinds()[GetParam()];
    SCOPED_TRACE(kind.name);
    const auto demo = buildRichProject();
    EditHistory history;
    Chooser chooser{std::mt19937(1)};
    const std::string before = saved(*demo);
    ASSERT_TRUE(kind.apply(*demo, history, chooser)) << "the rich project has something to edit this way";
    const std::string after = saved(*demo);
    ASSERT_NE(after, before);
    history.undo();
    EXPECT_EQ(saved(*demo), before);
    history.redo();
    EXPECT_EQ(saved(*demo), after);
}

INSTANTIATE_TEST_SUITE_P(EditKinds, EveryEdit, ::testing::Range(size_t{0}, editKinds().size()),
                         [](const ::testing::TestParamInfo<size_t>& kind) {
                             std::string name;
                             for (const char c : std::string(editKinds()[kind.param].name))
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

TEST(RandomEdits, AThousandUndoToTheStartAndRedoToTheEnd) {
    const auto demo = buildRichProject();
    EditHistory history;
    Chooser chooser{std::mt19937(2024)};
    const std::string start = saved(*demo);
    size_t made = 0;
    while (made < EditHistory::maxSteps)
        if (editKinds()[chooser.below(editKinds().size())].apply(*demo, history, chooser))
            ++made;
    const std::string end = saved(*demo);
    ASSERT_EQ(history.stepCount(), EditHistory::maxSteps);
    EXPECT_LE(history.bytes(), EditHistory::maxBytes);
    std::printf("history of %zu steps holds %zu bytes\n", history.stepCount(), history.bytes());

    while (history.canUndo())
        history.undo();
    EXPECT_EQ(saved(*demo), start);
    while (history.canRedo())
        history.redo();
    EXPECT_EQ(saved(*demo), end);
}

} // namespace
