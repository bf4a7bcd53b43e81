#include "editor/widgets/ObjectRows.h"

#include <algorithm>

void countLine(size_t count, const char* noun) {
    ImGui::Text("%d %s%s", static_cast<int>(count), noun, count == 1 ? "" : "s");
}

ImVec2 fittedSize(int width, int height, ImVec2 box) {
    if (width <= 0 || height <= 0)
        return {0.0f, 0.0f};
    const float scale = std::min(box.x / static_cast<float>(width), box.y / static_cast<float>(height));
    return {static_cast<float>(width) * scale, static_cast<float>(height) * scale};
}

void previewImage(uint32_t texture, int width, int height, ImVec2 box) {
    const ImVec2 start = ImGui::GetCursorScreenPos();
    const ImVec2 size = fittedSize(width, height, box);
    if (texture != 0 && size.x > 0.0f)
        ImGui::GetWindowDrawList()->AddImage(textureId(texture), start, {start.x + size.x, start.y + size.y});
    ImGui::Dummy(box);
}
