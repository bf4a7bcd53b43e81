// The "Sample Manager" window's contents.
#pragma once

#include "editor/WindowState.h"

class AudioSample;
struct EditorState;
struct EditorContext;

struct SampleManagerState : RequestableWindowState<AudioSample> {};

void drawSampleManager(EditorState& editor, EditorContext& context);
