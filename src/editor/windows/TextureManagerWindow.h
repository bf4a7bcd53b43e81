// The "Texture Manager" window: the project's images, imported from
// "resources", previewed and deleted.
#pragma once

#include "editor/windows/WindowState.h"

class Texture;
struct EditorState;
struct EditorContext;

struct TextureManagerState : WindowState {
    Texture* selected = nullptr; // what the inspector shows

    void forgetProject() override { selected = nullptr; }
    void forgetObject(const ObjectRef& object) override;
};

void drawTextureManager(EditorState& editor, EditorContext& context);
