// The "Sample Manager" window's contents.
#pragma once

#include "editor/WindowState.h"

class AudioSample;
struct EditorState;
struct EditorContext;

struct SampleManagerState : WindowState {
    const AudioSample* requested = nullptr; // to select at the next draw (the Event Manager's "Edit")

    void forgetProject() override { requested = nullptr; }
    void forgetObject(const ObjectRef& object) override {
        if (refersTo(object, requested))
            requested = nullptr;
    }
};

void drawSampleManager(EditorState& editor, EditorContext& context);
