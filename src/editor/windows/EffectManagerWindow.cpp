#include "editor/windows/EffectManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// An effect's input images are shown at this size, their aspect kept.
const ImVec2 inputPreview{96.0f, 54.0f};

// "Delete", the count, "New" and the filter.
void drawListCommands(Selection<Effect>& effects, EditHistory& history, Demo& demo) {
    if (ImGui::Button("Delete") && effects.selected)
        removeObject(history, demo, *effects.selected); // the history's removal hook clears the selection
    ImGui::SameLine();
    countLine(demo.effects.size(), "Effect");
    if (ImGui::Button("New"))
        effects.select(&addObject(history, demo, std::make_unique<Effect>()));
    filterRow("##effectfilter", "Filter Effects", effects.filter);
}

void drawShaderChoice(EditorState& editor, Demo& demo, Effect& effect) {
    const char* shown = effect.program ? effect.program->fragmentShaderFilename.c_str() : "<no shader selected>";
    ShaderProgram* chosen = objectCombo("Shader", shown, demo.shaders, effect.program);
    // The same shader again changes nothing, so the feedback picture stays.
    if (chosen && chosen != effect.program)
        setField(editor.history, effect, &Effect::program, chosen,
                 "Draw effect \"" + effect.name + "\" with " + chosen->fragmentShaderFilename);
    ImGui::SameLine();
    if (ImGui::Button("Edit") && indexOf(demo, effect.program))
        editor.showInItsWindow(*effect.program);
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
    if (T* picked = objectCombo(comboLabel, chosen ? chosen->name.c_str() : prompt, objects, chosen))
        chosen = picked;
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
        state.effects.select(picked);
}

void drawFlag(EditHistory& history, Effect& effect, bool Effect::*flag, const char* label) {
    bool value = effect.*flag;
    if (ImGui::Checkbox(label, &value))
        setField(history, effect, flag, value,
                 std::string(value ? "Tick \"" : "Untick \"") + label + "\" of effect \"" + effect.name + "\"");
}

void drawInspector(EffectManagerState& state, EditorState& editor, EditorContext& context, Effect& effect) {
    renameField("Name", editor.history, context, effect, windowTitle::effectManager);
    if (newEventButton("Create Effect Event...", "Create Effect Event", "Name", state.eventName,
                       sizeof state.eventName)) {
        addEventFor(editor.history, context.demo, effect, state.eventName, 64.0f);
        state.eventName[0] = '\0';
    }
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
    effects.forgetProject();
    textureToAdd = nullptr;
    fontTextureToAdd = nullptr;
    effectToAdd = nullptr;
}

void EffectManagerState::forgetObject(const ObjectRef& object) {
    effects.forgetObject(object);
    if (refersTo(object, textureToAdd))
        textureToAdd = nullptr;
    if (refersTo(object, fontTextureToAdd))
        fontTextureToAdd = nullptr;
    if (refersTo(object, effectToAdd))
        effectToAdd = nullptr;
}

void drawEffectManager(EditorState& editor, EditorContext& context) {
    EffectManagerState& state = editor.effectManager;
    Selection<Effect>& effects = state.effects;
    effects.follow(context.demo);
    drawListCommands(effects, editor.history, context.demo);
    drawSelectableList("Selectables", {150.0f, 0.0f}, context.demo.effects, effects.selected,
                       [&](const Effect& effect) { return effects.lists(effect); });
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true);
    if (effects.selected)
        drawInspector(state, editor, context, *effects.selected);
    ImGui::EndChild();
}
