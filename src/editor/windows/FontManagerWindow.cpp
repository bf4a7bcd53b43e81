#include "editor/windows/FontManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ResourceProbes.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <algorithm>

namespace {

const char* const pickerTitle = "Import Font file";
const char* const newFontTextureTitle = "New Font Texture";
const ImVec2 atlasSize{320.0f, 240.0f};

MergeKey keyOf(const char* field, const FontTexture& fontTexture) {
    return {windowTitle::fontManager, field, &fontTexture};
}

// The largest side a font texture may have here: what the GL shows, within the model's bound.
int fontTextureSideLimit(RenderCache& render) { return std::min<int>(render.imageSideLimit(), maxFontTextureSide); }

void drawNewFontTextureDialog(FontManagerState& state, EditHistory& history, Demo& demo, RenderCache& render,
                              Font& font) {
    if (!ImGui::BeginPopupModal(newFontTextureTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    ImGui::InputText("Name", state.newFontTextureName, sizeof state.newFontTextureName);
    ImGui::PushItemWidth(100.0f);
    const int limit = fontTextureSideLimit(render);
    if (ImGui::InputInt("Width", &state.newFontTextureWidth, 1, 100))
        state.newFontTextureWidth = std::clamp(state.newFontTextureWidth, 1, limit);
    if (ImGui::InputInt("Height", &state.newFontTextureHeight, 1, 100))
        state.newFontTextureHeight = std::clamp(state.newFontTextureHeight, 1, limit);
    ImGui::PopItemWidth();
    if (ImGui::Button("Create") && state.newFontTextureName[0] != '\0') {
        state.fontTextures.select(
            &addObject(history, demo,
                       std::make_unique<FontTexture>(state.newFontTextureName, state.newFontTextureWidth,
                                                     state.newFontTextureHeight, &font)));
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel"))
        ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

void drawFontInspector(FontManagerState& state, EditHistory& history, EditorContext& context, Font& font) {
    ImGui::Text("%s", "Name");
    ImGui::SameLine();
    renameField("##font name", history, context, font, windowTitle::fontManager);
    drawNewFontTextureDialog(state, history, context.demo, context.render, font);
    if (ImGui::Button("Create Font Texture..."))
        ImGui::OpenPopup(newFontTextureTitle);
    ImGui::Separator();
    ImGui::Text("Font size: %d", static_cast<int>(font.ptsize));
    if (const uint32_t atlas = context.render.font(font).glyphAtlasTexture)
        ImGui::Image(textureId(atlas), atlasSize);
}

void drawFonts(FontManagerState& state, PickerField& picker, EditHistory& history, EditorContext& context) {
    Demo& demo = context.demo;
    importChosenFile(
        picker, pickerTitle, {"ttf", "TTF"},
        [&](const std::string& path) { return importFont(path, state.newFontSize, fontProblem); }, history, context,
        state.fonts.selected);
    ImGui::Text("%s", "New Font size:");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(100.0f);
    if (ImGui::InputInt("##NewFontSize", &state.newFontSize, 1))
        state.newFontSize = std::clamp(state.newFontSize, 1, static_cast<int>(maxPointSize));
    ImGui::SameLine();
    if (ImGui::Button("Import new Font..."))
        ImGui::OpenPopup(pickerTitle);
    Font* selected = state.fonts.selected;
    if (selected && ImGui::Button("Delete"))
        removeObject(history, demo, *selected);
    countLine(demo.fonts.size(), "Font");
    drawSelectableList("Selectables", {300.0f, 200.0f}, demo.fonts, state.fonts.selected);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 200.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.fonts.selected)
        drawFontInspector(state, history, context, *state.fonts.selected);
    ImGui::EndChild();
}

void drawFontChoice(EditHistory& history, Demo& demo, FontTexture& fontTexture) {
    const char* shown = fontTexture.font ? fontTexture.font->name.c_str() : "";
    Font* chosen = objectCombo("##current_font", shown, demo.fonts, fontTexture.font);
    if (chosen && chosen != fontTexture.font)
        setField(history, fontTexture, &FontTexture::font, chosen,
                 "Draw font texture \"" + fontTexture.name + "\" with " + chosen->name);
}

void drawTyping(EditHistory& history, FontTexture& fontTexture) {
    bool animated = fontTexture.charsPerBeat != -1;
    if (ImGui::Checkbox("Animated", &animated))
        setField(history, fontTexture, &FontTexture::charsPerBeat, animated ? 1 : -1,
                 std::string(animated ? "Animate" : "Stop animating") + " font texture \"" + fontTexture.name + "\"");
    if (!animated)
        return;
    ImGui::SameLine();
    ImGui::SetNextItemWidth(50.0f);
    int speed = fontTexture.charsPerBeat;
    if (ImGui::SliderInt("Characters per Beat", &speed, 1, 64, "%d", ImGuiSliderFlags_AlwaysClamp))
        setField(history, fontTexture, &FontTexture::charsPerBeat, speed,
                 "Change the typing speed of font texture \"" + fontTexture.name + "\"",
                 keyOf("Characters per Beat", fontTexture));
}

void drawSize(EditHistory& history, EditorContext& context, FontTexture& fontTexture) {
    ImGui::PushItemWidth(150.0f);
    const ScreenSize screen = context.frame.screen;
    int width = fontTexture.width;
    if (ImGui::SliderInt("width", &width, 64, std::max(64, screen.width), "%d", ImGuiSliderFlags_AlwaysClamp))
        setField(history, fontTexture, &FontTexture::width, width, "Resize font texture \"" + fontTexture.name + "\"",
                 keyOf("width", fontTexture));
    int height = fontTexture.height;
    if (ImGui::SliderInt("height", &height, 64, std::max(64, screen.height), "%d", ImGuiSliderFlags_AlwaysClamp))
        setField(history, fontTexture, &FontTexture::height, height, "Resize font texture \"" + fontTexture.name + "\"",
                 keyOf("height", fontTexture));
    ImGui::PopItemWidth();
}

void drawFontTextureInspector(FontManagerState& state, EditHistory& history, EditorContext& context,
                              FontTexture& fontTexture) {
    drawFontChoice(history, context.demo, fontTexture);
    bool center = fontTexture.center;
    if (ImGui::Checkbox("Centered", &center))
        setField(history, fontTexture, &FontTexture::center, center,
                 std::string(center ? "Centre" : "Stop centring") + " font texture \"" + fontTexture.name + "\"");
    drawTyping(history, fontTexture);
    ImGui::Text("%s (%d x %d)", fontTexture.name.c_str(), static_cast<int>(fontTexture.width),
                static_cast<int>(fontTexture.height));
    ImGui::Separator();
    drawSize(history, context, fontTexture);
    TextTexture& text = context.render.text(fontTexture);
    ImGui::Image(textureId(text.glTexture),
                 {static_cast<float>(fontTexture.width), static_cast<float>(fontTexture.height)}, {0.0f, 0.0f},
                 {1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 128.0f / 255.0f});
    // The preview is the run-time texture's, not the project's: the timeline
    // overwrites it while an event shows that font texture.
    if (ImGui::InputTextMultiline("##preview", state.previewText, sizeof state.previewText)) {
        const FontFace* font = fontTexture.font ? &context.render.font(*fontTexture.font).face : nullptr;
        text.setText(state.previewText, font, fontTexture.center);
    }
}

void drawFontTextures(FontManagerState& state, EditHistory& history, EditorContext& context) {
    Demo& demo = context.demo;
    FontTexture* selected = state.fontTextures.selected;
    if (selected && ImGui::Button("Delete##font_texture"))
        removeObject(history, demo, *selected);
    countLine(demo.font_textures.size(), "Font Texture");
    drawSelectableList("Font Textures", {300.0f, 0.0f}, demo.font_textures, state.fontTextures.selected);
    ImGui::SameLine();
    ImGui::BeginChild("Font Texture Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.fontTextures.selected)
        drawFontTextureInspector(state, history, context, *state.fontTextures.selected);
    ImGui::EndChild();
}

} // namespace

void FontManagerState::forgetProject() {
    fonts.forgetProject();
    fontTextures.forgetProject();
}

void FontManagerState::forgetObject(const ObjectRef& object) {
    fonts.forgetObject(object);
    fontTextures.forgetObject(object);
}

void drawFontManager(EditorState& editor, EditorContext& context) {
    drawFonts(editor.fontManager, editor.picker, editor.history, context);
    drawFontTextures(editor.fontManager, editor.history, context);
}
