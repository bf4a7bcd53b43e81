// Everything a frame's render passes need beyond the project: built by the
// shell (or a test, or an offline renderer) once per frame and passed down, so
// no pass reads the clock, the mixer or the editor.
#pragma once

#include "render/Camera.h"
#include "render/ScreenSize.h"

#include <cstdint>
#include <optional>
#include <string>

class Event;
class UniformDef;

// Values the editor holds variables at while controllers move them; drawing
// asks it before the variables' curves.
class VariableHold {
public:
    virtual ~VariableHold() = default;
    // The value `event`'s variable `key` (for `uniform`) is held at, or none
    // when its curve plays.
    virtual std::optional<float> heldValue(const Event& event, const std::string& key,
                                           const UniformDef& uniform) const = 0;
};

struct FrameContext {
    float beat = 0.0f;                  // the "beat" uniform: the clock's beat
    bool paused = false;                // samples are not started while paused
    int soundLevel = 0;                 // the "sound" uniform: loudness, 0 to 32767
    const uint8_t* soundRows = nullptr; // the sound texture's texels (spectrum, waveform); null: silence
    Camera camera;
    ScreenSize screen;                  // the size every pass and capture covers
    const VariableHold* hold = nullptr; // none outside the editor
};
