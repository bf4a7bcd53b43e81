// Everything a frame's render passes need beyond the project: built by the
// shell (or a test, or an offline renderer) once per frame and passed down, so
// no pass reads the clock, the mixer or the editor.
#pragma once

#include "render/Camera.h"
#include "render/ScreenSize.h"

#include <cstdint>

struct FrameContext {
    float beat = 0.0f;                  // the "beat" uniform: the clock's beat
    bool paused = false;                // samples are not started while paused
    int soundLevel = 0;                 // the "sound" uniform: loudness, 0 to 32767
    const uint8_t* soundRows = nullptr; // the sound texture's texels (spectrum, waveform); null: silence
    Camera camera;
    ScreenSize screen; // the size every pass and capture covers
};
