// Pieces the manager windows share: the count line, previews that keep an
// image's aspect, the dialog that names a new event, and the field that
// renames an object through the edit history.
#pragma once

#include "editor/EditorContext.h"
#include "editor/ProjectEdits.h"
#include "editor/ResourceImport.h"
#include "editor/ResourcePicker.h"

#include <imgui.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>
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

// Adds, as one step, a new event named `name` from beat 0 to `endBeat` that
// renders `object` (an effect or a group) or plays it (a sample).
template <typename T> void addEventFor(EditHistory& history, Demo& demo, T& object, const char* name, float endBeat) {
    auto event = std::make_unique<Event>();
    if constexpr (std::is_same_v<T, Effect>) {
        event->type = EffectEvent;
        event->effect = &object;
    } else if constexpr (std::is_same_v<T, AudioSample>) {
        event->type = AudioSampleEvent;
        event->audioSample = &object;
    } else {
        event->type = GroupEvent;
        event->group = &object;
    }
    event->name = name;
    event->startBeat = 0.0f;
    event->endBeat = endBeat;
    addObject(history, demo, std::move(event));
}

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
