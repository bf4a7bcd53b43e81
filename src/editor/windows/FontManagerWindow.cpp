#include "editor/windows/FontManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerWidgets.h"
#include "editor/windows/ResourceProbes.h"

#include <imgui.h>

#include <algorithm>

namespace {

const char* const windowTitle = "Font Manager";
const char* const pickerTitle = "Import Font file";
const char* const newFontTextureTitle = "New Font Texture";
const ImVec2 atlasSize{320.0f, 240.0f};

MergeKey keyOf(const char* field, const FontTexture& fontTexture) { return {windowTitle, field, &fontTexture}; }

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
        state.selectedFontTexture =
            &addObject(history, demo,
                       std::make_unique<FontTexture>(state.newFontTextureName, state.newFontTextureWidth,
                                                     state.newFontTextureHeight, &font));
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
    renameField("##font name", history, context, font, windowTitle);
    drawNewFontTextureDialog(state, history, context.demo, context.render, font);
    if (ImGui::Button("Create Font Texture..."))
        ImGui::OpenPopup(newFontTextureTitle);
    ImGui::Separator();
    ImGui::Text("Font size: %d", static_cast<int>(font.ptsize));
    if (const uint32_t atlas = context.render.font(font).glyphAtlasTexture)
        ImGui::Image(textureId(atlas), atlasSize);
}

void drawFonts(FontManagerState& state, EditHistory& history, EditorContext& context) {
    Demo& demo = context.demo;
    importChosenFile(
        pickerTitle, {"ttf", "TTF"},
        [&](const std::string& path) { return importFont(path, state.newFontSize, fontProblem); }, history, context,
        state.selectedFont);
    ImGui::Text("%s", "New Font size:");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(100.0f);
    if (ImGui::InputInt("##NewFontSize", &state.newFontSize, 1))
        state.newFontSize = std::clamp(state.newFontSize, 1, static_cast<int>(maxPointSize));
    ImGui::SameLine();
    if (ImGui::Button("Import new Font..."))
        ImGui::OpenPopup(pickerTitle);
    if (state.selectedFont && ImGui::Button("Delete"))
        removeObject(history, demo, *state.selectedFont);
    countLine(demo.fonts.size(), "Font");
    drawSelectableList("Selectables", {300.0f, 200.0f}, demo.fonts, state.selectedFont);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 200.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.selectedFont)
        drawFontInspector(state, history, context, *state.selectedFont);
    ImGui::EndChild();
}

void drawFontChoice(EditHistory& history, Demo& demo, FontTexture& fontTexture) {
    if (!ImGui::BeginCombo("##current_font", fontTexture.font ? fontTexture.font->name.c_str() : ""))
        return;
    for (size_t i = 0; i < demo.fonts.size(); ++i) {
        Font* font = demo.fonts[i].get();
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(font->name.c_str(), font == fontTexture.font) && font != fontTexture.font)
            setField(history, fontTexture, &FontTexture::font, font,
                     "Draw font texture \"" + fontTexture.name + "\" with " + font->name);
        ImGui::PopID();
    }
    ImGui::EndCombo();
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
    if (state.selectedFontTexture && ImGui::Button("Delete##font_texture"))
        removeObject(history, demo, *state.selectedFontTexture);
    countLine(demo.font_textures.size(), "Font Texture");
    drawSelectableList("Font Textures", {300.0f, 0.0f}, demo.font_textures, state.selectedFontTexture);
    ImGui::SameLine();
    ImGui::BeginChild("Font Texture Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.selectedFontTexture)
        drawFontTextureInspector(state, history, context, *state.selectedFontTexture);
    ImGui::EndChild();
}

} // namespace

void FontManagerState::forgetProject() {
    selectedFont = nullptr;
    selectedFontTexture = nullptr;
}

void FontManagerState::forgetObject(const ObjectRef& object) {
    if (refersTo(object, selectedFont))
        selectedFont = nullptr;
    if (refersTo(object, selectedFontTexture))
        selectedFontTexture = nullptr;
}

void drawFontManager(EditorState& editor, EditorContext& context) {
    drawFonts(editor.fontManager, editor.history, context);
    drawFontTextures(editor.fontManager, editor.history, context);
}
