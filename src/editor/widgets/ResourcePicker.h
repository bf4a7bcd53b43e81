// The editor's own file picker for imports: a modal popup listing the matching
// files of the "resources" folder, a file name field, and OK / Cancel.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// The name field, one for every picker: the last name typed or chosen shows in the next one.
struct PickerField {
    char name[1024] = "";
};

// Names of the regular files in `directory` ending in "." and one of `extensions`
// (exact bytes, so "wav" and "WAV" are separate entries), in byte order. Empty
// when the directory cannot be read.
std::vector<std::string> matchingResourceFiles(const std::string& directory,
                                               std::initializer_list<const char*> extensions);

// What "OK" returns: `directory` + "/" + the name field. The field then shows that path.
std::string acceptPickedFile(PickerField& field, const std::string& directory);

// Draws the file list inside the popup; a name clicked goes into the name field.
void listResourceFiles(PickerField& field, const std::string& directory, std::initializer_list<const char*> extensions);

// Called every frame by the window owning the popup `popupTitle` (which opens it
// with ImGui::OpenPopup). Returns the chosen path, or "" when nothing was chosen
// this frame.
std::string pickResourceFile(PickerField& field, const char* popupTitle, const std::string& directory,
                             std::initializer_list<const char*> extensions);
