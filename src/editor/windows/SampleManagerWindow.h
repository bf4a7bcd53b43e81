// The "Sample Manager" window: the project's audio samples, imported from
// "resources", played, deleted, and put on the timeline as new events.
#pragma once

#include "editor/windows/WindowState.h"

class AudioSample;
struct EditorState;
struct EditorContext;

struct SampleManagerState : WindowState {
    Selection<AudioSample> samples; // the inspector shows the selected one
    char eventName[1024] = "";      // the "Create Audio Sample Event" dialog's field

    void forgetProject() override { samples.forgetProject(); }
    void forgetObject(const ObjectRef& object) override { samples.forgetObject(object); }
};

void drawSampleManager(EditorState& editor, EditorContext& context);
