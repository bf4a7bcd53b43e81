// Renders a demo to files as `quillfront-tool render` is asked to: loads the
// project, checks the span, composes every frame of it in order (and the frames
// before it, so feedback and samples carry over exactly as in one long render),
// and hands the pictures and the mixed sound to an MP4 file or a PNG folder.
#pragma once

#include "tool/RenderSettings.h"

#include <csignal>

// Set by the interrupt and termination signals: the render stops before its next
// frame and removes what it had written beside OUT.
extern volatile std::sig_atomic_t renderInterrupted;

// Returns the exit status: 0 done, 1 the work failed (the reason is on
// standard error).
int renderDemo(const RenderSettings& settings);
