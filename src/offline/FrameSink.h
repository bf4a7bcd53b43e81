// Where an offline render's frames and sound go: an MP4 file or a folder.
// Nothing appears under the final names until it is complete.
#pragma once

#include "render/FrameQueue.h"

#include <cstdint>
#include <span>
#include <string>

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Queues the next frame; waits while the writers are busy. False once writing
    // has failed (see problem()).
    virtual bool write(RenderedFrame frame) = 0;
    // Writes the sound of the whole span (interleaved 16-bit stereo) and completes
    // the output under its final name. False when that fails.
    virtual bool finish(std::span<const int16_t> sound, int rate) = 0;
    // Why writing failed; empty while it has not.
    virtual std::string problem() const = 0;
};
