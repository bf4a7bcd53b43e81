// Rows of project objects as the manager windows show them: a list of names to
// select from, the count line, and image previews that keep an image's aspect.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <memory>
#include <vector>

// Selectables for `objects` by name, each under its index, in the bordered child
// region `id`; a click selects one. Only the objects `shown` accepts are listed.
template <typename T, typename Shown>
void drawSelectableList(const char* id, ImVec2 size, const std::vector<std::unique_ptr<T>>& objects, T*& selected,
                        Shown shown) {
    ImGui::BeginChild(id, size, true, ImGuiWindowFlags_HorizontalScrollbar);
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!shown(*objects[i]))
            continue;
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(objects[i]->name.c_str(), objects[i].get() == selected))
            selected = objects[i].get();
        ImGui::PopID();
    }
    ImGui::EndChild();
}

template <typename T>
void drawSelectableList(const char* id, ImVec2 size, const std::vector<std::unique_ptr<T>>& objects, T*& selected) {
    drawSelectableList(id, size, objects, selected, [](const T&) { return true; });
}

// "3 Textures", "1 Texture".
void countLine(size_t count, const char* noun);

// The largest size of a width × height image that fits `box`; nothing for an empty image.
ImVec2 fittedSize(int width, int height, ImVec2 box);
// GL texture `texture` (width × height) fitted into `box`; the box's place stays
// taken, so rows line up whatever their image.
void previewImage(uint32_t texture, int width, int height, ImVec2 box);

// The texture id Dear ImGui's GL back end takes for a GL texture name.
inline ImTextureID textureId(uint32_t texture) { return reinterpret_cast<ImTextureID>(static_cast<intptr_t>(texture)); }
