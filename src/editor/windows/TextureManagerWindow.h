// The "Texture Manager" window: the project's images, imported from
// "resources", previewed and deleted.
#pragma once

#include "editor/windows/WindowState.h"

class Texture;
struct EditorState;
struct EditorContext;

struct TextureManagerState : WindowState {
    Selection<Texture> textures; // the inspector shows the selected one

    void forgetProject() override { textures.forgetProject(); }
    void forgetObject(const ObjectRef& object) override { textures.forgetObject(object); }
};

void drawTextureManager(EditorState& editor, EditorContext& context);
