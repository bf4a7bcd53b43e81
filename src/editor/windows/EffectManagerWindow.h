// The "Effect Manager" window: the project's effects, filtered by name, made
// and deleted, and an inspector of the selected effect: its name, its shader,
// its feedback and screen flags, and its lists of textures, font textures and
// input effects, with a dialog that puts it on the timeline as a new event.
#pragma once

#include "editor/windows/WindowState.h"

class Effect;
class FontTexture;
class Texture;
struct EditorState;
struct EditorContext;

struct EffectManagerState : WindowState {
    Selection<Effect> effects;       // the inspector shows the selected one
    char eventName[1024] = "";       // the "Create Effect Event" dialog's field
    Texture* textureToAdd = nullptr; // the choices of the three "Add" combos
    FontTexture* fontTextureToAdd = nullptr;
    Effect* effectToAdd = nullptr;

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawEffectManager(EditorState& editor, EditorContext& context);
