// The "Effect Manager" window's contents.
#pragma once

#include "editor/WindowState.h"

class Effect;
struct EditorState;
struct EditorContext;

struct EffectManagerState : WindowState {
    const Effect* requested = nullptr; // to select at the next draw (the Event Manager's "Edit")

    void forgetProject() override { requested = nullptr; }
    void forgetObject(const ObjectRef& object) override {
        if (refersTo(object, requested))
            requested = nullptr;
    }
};

void drawEffectManager(EditorState& editor, EditorContext& context);
