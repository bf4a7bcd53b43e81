#include "editor/windows/BpmTapWindow.h"

#include "editor/windows/BpmTap.h"

#include <imgui.h>

void drawBpmTapBody(BpmTap& tap) {
    if (ImGui::Button("Tap"))
        tap.tap();
    ImGui::Text("%0.3f", static_cast<double>(tap.result()));
}
