// Pieces the manager windows share: the import through a picker, the dialog
// that names a new event, and the field that renames an object through the
// edit history; and the rows of objects they list.
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
void importChosenFile(const char* title, std::initializer_list<const char*> extensions, Import import,
                      EditHistory& history, EditorContext& context, T*& selected) {
    const std::string path = pickResourceFile(title, "resources", extensions);
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

// The modal dialog `title` naming a new event in `name` (capacity `size`), with
// "OK" focused and "Cancel". Returns true on "OK"; the caller adds the event
// and empties the name.
bool newEventDialog(const char* title, const char* fieldLabel, char* name, size_t size);

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
