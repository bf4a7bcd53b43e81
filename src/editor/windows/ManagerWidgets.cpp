#include "editor/windows/ManagerWidgets.h"

bool newEventDialog(const char* title, const char* fieldLabel, char* name, size_t size) {
    if (!ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return false;
    ImGui::InputText(fieldLabel, name, size);
    const bool accepted = ImGui::Button("OK", {120.0f, 0.0f});
    if (accepted)
        ImGui::CloseCurrentPopup();
    ImGui::SetItemDefaultFocus();
    ImGui::SameLine();
    if (ImGui::Button("Cancel", {120.0f, 0.0f}))
        ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return accepted;
}
