#include "editor/windows/EffectManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerWidgets.h"

#include <imgui.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const windowTitle = "Effect Manager";
const char* const createEventTitle = "Create Effect Event";
// An effect's input images are shown at this size, their aspect kept.
const ImVec2 inputPreview{96.0f, 54.0f};

bool passesFilter(const Effect& effect, const char* filter) {
    return filter[0] == '\0' || effect.name.find(filter) != std::string::npos;
}

// A request from the Event Manager selects its effect.
void followRequest(EffectManagerState& state, Demo& demo) {
    if (Effect* requested = findObject(demo, state.requested))
        state.selected = requested;
}

// "Delete", the count, "New" and the filter.
void drawListCommands(EffectManagerState& state, EditHistory& history, Demo& demo) {
    if (ImGui::Button("Delete") && state.selected)
        removeObject(history, demo, *state.selected); // the history's removal hook clears the selection
    ImGui::SameLine();
    countLine(demo.effects.size(), "Effect");
    if (ImGui::Button("New"))
        state.selected = &addObject(history, demo, std::make_unique<Effect>());
    ImGui::SetNextItemWidth(150.0f);
    ImGui::InputTextWithHint("##effectfilter", "Filter Effects", state.filter, sizeof state.filter);
    ImGui::SameLine();
    if (ImGui::Button("Show All"))
        state.filter[0] = '\0';
}

void drawEffectList(EffectManagerState& state, Demo& demo) {
    drawSelectableList("Selectables", {150.0f, 0.0f}, demo.effects, state.selected,
                       [&](const Effect& effect) { return passesFilter(effect, state.filter); });
    state.requested = nullptr;
}

void drawShaderChoice(EditorState& editor, Demo& demo, Effect& effect) {
    const char* shown = effect.program ? effect.program->fragmentShaderFilename.c_str() : "<no shader selected>";
    if (ImGui::BeginCombo("Shader", shown)) {
        for (size_t i = 0; i < demo.shaders.size(); ++i) {
            ShaderProgram* program = demo.shaders[i].get();
            ImGui::PushID(static_cast<int>(i));
            // The same shader again changes nothing, so the feedback picture stays.
            if (ImGui::Selectable(program->fragmentShaderFilename.c_str(), program == effect.program) &&
                program != effect.program)
                setField(editor.history, effect, &Effect::program, program,
                         "Draw effect \"" + effect.name + "\" with " + program->fragmentShaderFilename);
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    ImGui::SameLine();
    if (ImGui::Button("Edit") && indexOf(demo, effect.program)) {
        editor.shaderEditor.requested = effect.program;
        editor.show.shaderEditor = true;
    }
}

// What a row's buttons asked of its list: acted on after the rows.
struct RowCommand {
    enum Kind { none, remove, up, down } kind = none;
    size_t index = 0;
};

// "Delete", "Up" unless first, "Down" unless last.
RowCommand rowButtons(size_t index, size_t count, RowCommand command) {
    if (ImGui::Button("Delete"))
        command = {RowCommand::remove, index};
    if (index > 0) {
        ImGui::SameLine();
        if (ImGui::Button("Up"))
            command = {RowCommand::up, index};
    }
    if (index + 1 < count) {
        ImGui::SameLine();
        if (ImGui::Button("Down"))
            command = {RowCommand::down, index};
    }
    return command;
}

// Which entries "Delete" on a row takes out of its list.
enum class Removes { everyEntryOfIt, thatEntry };

// Carries out what a row's buttons asked of the effect's list `field`.
template <typename T>
void applyRowCommand(EditHistory& history, Effect& effect, std::vector<T*> Effect::*field, RowCommand command,
                     Removes removes, const char* kind) {
    switch (command.kind) {
    case RowCommand::none:
        break;
    case RowCommand::up:
    case RowCommand::down:
        moveEffectInput(history, effect, field, command.index, command.kind == RowCommand::up, kind);
        break;
    case RowCommand::remove:
        removeEffectInput(history, effect, field, command.index, removes == Removes::everyEntryOfIt, kind);
        break;
    }
}

// A combo choosing one of `objects` by name (previewing `chosen`, or `prompt`),
// then "Add" to append the choice to the effect's list.
template <typename T>
void drawAddCombo(const char* comboLabel, const char* prompt, const char* addLabel,
                  const std::vector<std::unique_ptr<T>>& objects, T*& chosen, EditHistory& history, Effect& effect,
                  std::vector<T*> Effect::*field, const char* kind) {
    if (ImGui::BeginCombo(comboLabel, chosen ? chosen->name.c_str() : prompt)) {
        for (size_t i = 0; i < objects.size(); ++i) {
            ImGui::PushID(static_cast<int>(i));
            if (ImGui::Selectable(objects[i]->name.c_str(), objects[i].get() == chosen))
                chosen = objects[i].get();
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    if (!chosen)
        return;
    ImGui::SameLine();
    if (ImGui::Button(addLabel)) {
        addEffectInput(history, effect, field, *chosen, kind);
        chosen = nullptr;
    }
}

void drawTextures(EffectManagerState& state, EditorState& editor, EditorContext& context, Effect& effect) {
    ImGui::Separator();
    countLine(effect.textures.size(), "Texture");
    RowCommand command;
    ImGui::PushID("Textures");
    for (size_t i = 0; i < effect.textures.size(); ++i) {
        const Texture* texture = effect.textures[i];
        const ImageTexture* image = texture ? &context.render.image(*texture) : nullptr;
        ImGui::PushID(static_cast<int>(i));
        ImGui::Text("ID %d", image ? static_cast<int>(image->glTexture) : 0);
        ImGui::SameLine();
        previewImage(image ? image->glTexture : 0, image ? image->width : 0, image ? image->height : 0, inputPreview);
        ImGui::SameLine();
        const RowCommand pressed = rowButtons(i, effect.textures.size(), command);
        // An image that never decoded stays listed.
        if (pressed.kind != RowCommand::remove || (image && image->glTexture != 0))
            command = pressed;
        ImGui::PopID();
    }
    ImGui::PopID();
    applyRowCommand(editor.history, effect, &Effect::textures, command, Removes::everyEntryOfIt, "texture");
    drawAddCombo("##texture", "Add Texture...", "Add##texture", context.demo.textures, state.textureToAdd,
                 editor.history, effect, &Effect::textures, "texture");
}

void drawFontTextures(EffectManagerState& state, EditorState& editor, EditorContext& context, Effect& effect) {
    ImGui::Separator();
    countLine(effect.fontTextures.size(), "Font Texture");
    RowCommand command;
    ImGui::PushID("Font Textures");
    for (size_t i = 0; i < effect.fontTextures.size(); ++i) {
        const FontTexture* fontTexture = effect.fontTextures[i];
        const TextTexture* text = fontTexture ? &context.render.text(*fontTexture) : nullptr;
        const uint32_t texture = text ? text->glTexture : 0;
        ImGui::PushID(static_cast<int>(i));
        previewImage(texture, fontTexture ? fontTexture->width : 0, fontTexture ? fontTexture->height : 0,
                     inputPreview);
        ImGui::SameLine();
        const RowCommand pressed = rowButtons(i, effect.fontTextures.size(), command);
        if (pressed.kind != RowCommand::remove || texture != 0)
            command = pressed;
        ImGui::SameLine();
        ImGui::Text("%s", fontTexture ? fontTexture->name.c_str() : "");
        ImGui::PopID();
    }
    ImGui::PopID();
    applyRowCommand(editor.history, effect, &Effect::fontTextures, command, Removes::thatEntry, "font texture");
    drawAddCombo("##add_font_texture", "Add Font Texture...", "Add##font_texture", context.demo.font_textures,
                 state.fontTextureToAdd, editor.history, effect, &Effect::fontTextures, "font texture");
}

void drawInputEffects(EffectManagerState& state, EditorState& editor, EditorContext& context, Effect& effect) {
    ImGui::Separator();
    countLine(effect.effects.size(), "Effect");
    RowCommand command;
    Effect* picked = nullptr;
    ImGui::PushID("Effects");
    for (size_t i = 0; i < effect.effects.size(); ++i) {
        Effect* input = effect.effects[i];
        ImGui::PushID(static_cast<int>(i));
        command = rowButtons(i, effect.effects.size(), command);
        ImGui::SameLine();
        if (ImGui::Selectable(input ? input->name.c_str() : "", false) && input)
            picked = input;
        ImGui::PopID();
    }
    ImGui::PopID();
    applyRowCommand(editor.history, effect, &Effect::effects, command, Removes::everyEntryOfIt, "input effect");
    drawAddCombo("##effect", "Add Effect...", "Add##effect", context.demo.effects, state.effectToAdd, editor.history,
                 effect, &Effect::effects, "input effect");
    if (picked)
        state.selected = picked;
}

void drawFlag(EditHistory& history, Effect& effect, bool Effect::*flag, const char* label) {
    bool value = effect.*flag;
    if (ImGui::Checkbox(label, &value))
        setField(history, effect, flag, value,
                 std::string(value ? "Tick \"" : "Untick \"") + label + "\" of effect \"" + effect.name + "\"");
}

void drawInspector(EffectManagerState& state, EditorState& editor, EditorContext& context, Effect& effect) {
    renameField("Name", editor.history, context, effect, windowTitle);
    if (newEventDialog(createEventTitle, "Name", state.eventName, sizeof state.eventName)) {
        addEventFor(editor.history, context.demo, effect, state.eventName, 64.0f);
        state.eventName[0] = '\0';
    }
    if (ImGui::Button("Create Effect Event..."))
        ImGui::OpenPopup(createEventTitle);
    ImGui::Separator();
    drawShaderChoice(editor, context.demo, effect);
    ImGui::Separator();
    drawFlag(editor.history, effect, &Effect::feedback, "Input from self (feedback loop)");
    drawTextures(state, editor, context, effect);
    drawFontTextures(state, editor, context, effect);
    drawInputEffects(state, editor, context, effect);
    drawFlag(editor.history, effect, &Effect::screenTexture, "Add entire screen as texture");
}

} // namespace

void EffectManagerState::forgetProject() {
    RequestableWindowState<Effect>::forgetProject();
    selected = nullptr;
    textureToAdd = nullptr;
    fontTextureToAdd = nullptr;
    effectToAdd = nullptr;
}

void EffectManagerState::forgetObject(const ObjectRef& object) {
    RequestableWindowState<Effect>::forgetObject(object);
    if (refersTo(object, selected))
        selected = nullptr;
    if (refersTo(object, textureToAdd))
        textureToAdd = nullptr;
    if (refersTo(object, fontTextureToAdd))
        fontTextureToAdd = nullptr;
    if (refersTo(object, effectToAdd))
        effectToAdd = nullptr;
}

void drawEffectManager(EditorState& editor, EditorContext& context) {
    EffectManagerState& state = editor.effectManager;
    followRequest(state, context.demo);
    drawListCommands(state, editor.history, context.demo);
    drawEffectList(state, context.demo);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true);
    if (state.selected)
        drawInspector(state, editor, context, *state.selected);
    ImGui::EndChild();
}
