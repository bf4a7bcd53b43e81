// Pieces the manager windows share: the count line, previews that keep an
// image's aspect, the dialog that names a new event, and the field that
// renames an object through the edit history.
#pragma once

#include "editor/EditorContext.h"
#include "editor/ProjectEdits.h"

#include <imgui.h>

#include <cstdint>
#include <cstdio>
#include <string>

// "3 Textures", "1 Texture".
void countLine(size_t count, const char* noun);

// The largest size of a width × height image that fits `box`; nothing for an empty image.
ImVec2 fittedSize(int width, int height, ImVec2 box);
// GL texture `texture` (width × height) fitted into `box`; the box's place stays
// taken, so rows line up whatever their image.
void previewImage(uint32_t texture, int width, int height, ImVec2 box);

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

// The texture id Dear ImGui's GL back end takes for a GL texture name.
inline ImTextureID textureId(uint32_t texture) { return reinterpret_cast<ImTextureID>(static_cast<intptr_t>(texture)); }
