#include "editor/windows/TextureManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ResourceProbes.h"

#include <imgui.h>

namespace {

const char* const pickerTitle = "Import image file";
constexpr float previewWidth = 256.0f;

void drawInspector(EditorContext& context, const Texture& texture) {
    const ImageTexture& image = context.render.image(texture);
    ImGui::Text("%s", texture.name.c_str());
    ImGui::Text("ID: %d    Dimensions: %d x %d", static_cast<int>(image.glTexture), image.width, image.height);
    const float height = image.width > 0 ? static_cast<float>(image.height * 256 / image.width) : 0.0f;
    if (image.glTexture != 0)
        ImGui::Image(textureId(image.glTexture), {previewWidth, height});
}

} // namespace

void drawTextureManager(EditorState& editor, EditorContext& context) {
    TextureManagerState& state = editor.textureManager;
    importChosenFile(
        editor.picker, pickerTitle, {"png", "jpg", "jpeg", "PNG", "JPG", "JPEG"},
        [&](const std::string& path) {
            return importTexture(path, [&](const Texture& texture) { return imageProblem(texture, context.render); });
        },
        editor.history, context, state.textures.selected);
    Texture* selected = state.textures.selected;
    if (ImGui::Button("Delete") && selected)
        removeObject(editor.history, context.demo, *selected);
    ImGui::SameLine();
    countLine(context.demo.textures.size(), "Texture");
    ImGui::SameLine();
    if (ImGui::Button("Import image..."))
        ImGui::OpenPopup(pickerTitle);
    drawSelectableList("Selectables", {300.0f, 0.0f}, context.demo.textures, state.textures.selected);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.textures.selected)
        drawInspector(context, *state.textures.selected);
    ImGui::EndChild();
}
