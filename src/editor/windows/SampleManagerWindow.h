// The "Sample Manager" window: the project's audio samples, imported from
// "resources", played, deleted, and put on the timeline as new events.
#pragma once

#include "editor/windows/WindowState.h"

class AudioSample;
struct EditorState;
struct EditorContext;

struct SampleManagerState : RequestableWindowState<AudioSample> {
    AudioSample* selected = nullptr; // what the inspector shows
    char eventName[1024] = "";       // the "Create Audio Sample Event" dialog's field

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawSampleManager(EditorState& editor, EditorContext& context);
