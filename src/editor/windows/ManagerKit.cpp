#include "editor/windows/ManagerKit.h"

void filterRow(const char* id, const char* hint, char (&filter)[256]) {
    ImGui::SetNextItemWidth(150.0f);
    ImGui::InputTextWithHint(id, hint, filter, sizeof filter);
    ImGui::SameLine();
    if (ImGui::Button("Show All"))
        filter[0] = '\0';
}

bool newEventButton(const char* buttonLabel, const char* title, const char* fieldLabel, char* name, size_t size) {
    if (ImGui::Button(buttonLabel))
        ImGui::OpenPopup(title);
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
