#include "editor/widgets/ResourcePicker.h"

#include "platform/Platform.h"

#include <imgui.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

bool hasExtension(const std::string& name, std::initializer_list<const char*> extensions) {
    return std::any_of(extensions.begin(), extensions.end(), [&name](const char* extension) {
        const std::string suffix = std::string(".") + extension;
        return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    });
}

void setName(PickerField& field, const std::string& text) {
    const size_t length = std::min(text.size(), sizeof field.name - 1);
    std::memcpy(field.name, text.data(), length);
    field.name[length] = '\0';
}

} // namespace

std::vector<std::string> matchingResourceFiles(const std::string& directory,
                                               std::initializer_list<const char*> extensions) {
    std::vector<std::string> names;
    for (FolderEntry& entry : listFolder(directory))
        if (entry.isFile && hasExtension(entry.name, extensions))
            names.push_back(std::move(entry.name));
    std::sort(names.begin(), names.end());
    return names;
}

std::string acceptPickedFile(PickerField& field, const std::string& directory) {
    std::string path = directory + "/" + field.name;
    setName(field, path);
    return path;
}

void listResourceFiles(PickerField& field, const std::string& directory,
                       std::initializer_list<const char*> extensions) {
    for (const std::string& name : matchingResourceFiles(directory, extensions)) {
        ImGui::TextUnformatted(name.c_str());
        if (ImGui::IsItemHovered() && ImGui::IsMouseDown(ImGuiMouseButton_Left))
            setName(field, name);
    }
}

std::string pickResourceFile(PickerField& field, const char* popupTitle, const std::string& directory,
                             std::initializer_list<const char*> extensions) {
    std::string result;
    if (!ImGui::BeginPopupModal(popupTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return result;
    listResourceFiles(field, directory, extensions);
    ImGui::InputText("Filename", field.name, sizeof field.name);
    if (ImGui::Button("OK", ImVec2(120, 0))) {
        result = acceptPickedFile(field, directory);
        ImGui::CloseCurrentPopup();
    }
    ImGui::SetItemDefaultFocus(); // keyboard navigation starts on "OK"
    ImGui::SameLine();
    if (ImGui::Button("Cancel", ImVec2(120, 0)))
        ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return result;
}
