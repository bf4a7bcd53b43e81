#include "editor/TextureManagerWindow.h"

#include "editor/EditorState.h"
#include "editor/ManagerWidgets.h"
#include "editor/ResourceImport.h"
#include "editor/ResourcePicker.h"

#include <imgui.h>

namespace {

const char* const pickerTitle = "Import image file";
constexpr float previewWidth = 256.0f;

void importChosenImage(TextureManagerState& state, EditHistory& history, EditorContext& context) {
    const std::string path =
        pickResourceFile(pickerTitle, "resources", {"png", "jpg", "jpeg", "PNG", "JPG", "JPEG"});
    if (path.empty())
        return;
    Imported<Texture> imported = importTexture(path, context.render);
    if (!imported.object) {
        context.status.set(imported.problem);
        return;
    }
    state.selected = &addObject(history, context.demo, std::move(imported.object));
    context.status.set(path + " imported");
}

void drawTextureList(TextureManagerState& state, Demo& demo) {
    ImGui::BeginChild("Selectables", {300.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    for (size_t i = 0; i < demo.textures.size(); ++i) {
        Texture& texture = *demo.textures[i];
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(texture.name.c_str(), &texture == state.selected))
            state.selected = &texture;
        ImGui::PopID();
    }
    ImGui::EndChild();
}

void drawInspector(EditorContext& context, const Texture& texture) {
    const ImageTexture& image = context.render.image(texture);
    ImGui::Text("%s", texture.name.c_str());
    ImGui::Text("ID: %d    Dimensions: %d x %d", static_cast<int>(image.glTexture), image.width, image.height);
    const float height = image.width > 0 ? static_cast<float>(image.height * 256 / image.width) : 0.0f;
    if (image.glTexture != 0)
        ImGui::Image(textureId(image.glTexture), {previewWidth, height});
}

} // namespace

void TextureManagerState::forgetObject(const ObjectRef& object) {
    if (refersTo(object, selected))
        selected = nullptr;
}

void drawTextureManager(EditorState& editor, EditorContext& context) {
    TextureManagerState& state = editor.textureManager;
    importChosenImage(state, editor.history, context);
    if (ImGui::Button("Delete") && state.selected)
        removeObject(editor.history, context.demo, *state.selected);
    ImGui::SameLine();
    countLine(context.demo.textures.size(), "Texture");
    ImGui::SameLine();
    if (ImGui::Button("Import image..."))
        ImGui::OpenPopup(pickerTitle);
    drawTextureList(state, context.demo);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {0.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.selected)
        drawInspector(context, *state.selected);
    ImGui::EndChild();
}
