// What the manager windows are made of, written once: a list's filter, a combo
// choosing one of the project's objects, the import through a picker, the
// button and dialog that put an object on the timeline as a new event, and the
// field that renames an object through the edit history; with the rows of
// objects they list and their selections (WindowState.h).
#pragma once

#include "editor/edits/ProjectEdits.h"
#include "editor/edits/ResourceImport.h"
#include "editor/widgets/ObjectRows.h"
#include "editor/widgets/ResourcePicker.h"
#include "editor/windows/EditorContext.h"

#include <imgui.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

// The picker `title` of a manager, drawn every frame: the file chosen in it is
// imported by `import` (one of ResourceImport's) and added to the project as a
// step, and the new object selected; the status line says what happened.
template <typename T, typename Import>
void importChosenFile(PickerField& field, const char* title, std::initializer_list<const char*> extensions,
                      Import import, EditHistory& history, EditorContext& context, T*& selected) {
    const std::string path = pickResourceFile(field, title, "resources", extensions);
    if (path.empty())
        return;
    Imported<T> imported = import(path);
    if (!imported.object) {
        context.status.set(imported.problem);
        return;
    }
    selected = &addObject(history, context.demo, std::move(imported.object));
    context.status.set(path + " imported");
}

// The list's filter field (`id`, showing `hint` while empty) and "Show All", which empties it.
void filterRow(const char* id, const char* hint, char (&filter)[256]);

// A combo `label` previewing `preview` and listing `objects` by name, each
// under its index, `current` shown selected. Returns the one chosen this
// frame, or null.
template <typename T>
T* objectCombo(const char* label, const char* preview, const std::vector<std::unique_ptr<T>>& objects,
               const T* current) {
    T* chosen = nullptr;
    if (!ImGui::BeginCombo(label, preview))
        return nullptr;
    for (size_t i = 0; i < objects.size(); ++i) {
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Selectable(nameOf(*objects[i]).c_str(), objects[i].get() == current))
            chosen = objects[i].get();
        ImGui::PopID();
    }
    ImGui::EndCombo();
    return chosen;
}

// The button `buttonLabel` opening the modal dialog `title` that names a new
// event in `name` (capacity `size`), with "OK" focused and "Cancel". Returns
// true on "OK"; the caller adds the event and empties the name.
bool newEventButton(const char* buttonLabel, const char* title, const char* fieldLabel, char* name, size_t size);

// A text field showing `object`'s name; an edit renames it, or says on the
// status line why not. Edits of one field join into one step.
template <typename T>
void renameField(const char* label, EditHistory& history, EditorContext& context, T& object, const char* window) {
    char name[1024];
    std::snprintf(name, sizeof name, "%s", nameOf(object).c_str());
    if (!ImGui::InputText(label, name, sizeof name))
        return;
    if (std::optional<std::string> refused =
            renameObject(history, context.demo, object, name, MergeKey{window, label, &object}))
        context.status.set(*refused);
}
