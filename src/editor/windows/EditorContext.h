// What the editor works on in a frame: the open project with its caches, the
// clock, the camera, the status line and the values of the frame. The shell
// builds one each frame from its own state.
#pragma once

#include "audio/AudioCache.h"
#include "audio/LiveMix.h"
#include "composition/BeatClock.h"
#include "editor/windows/StatusLine.h"
#include "project/Demo.h"
#include "render/Camera.h"
#include "render/FrameContext.h"
#include "render/RenderCache.h"

#include <atomic>

constexpr int projectFileNameSize = 256;

struct EditorContext {
    Demo& demo;
    RenderCache& render;
    AudioCache& audio;
    LiveMix& mix;
    BeatClock& clock;
    Camera& camera;
    StatusLine& status;
    char* projectFileName; // projectFileNameSize bytes, edited in place
    FrameContext frame;    // the frame's values, for composing the demo in the Viewport
    std::atomic<bool>& quitRequested;
};
