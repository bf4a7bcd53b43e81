// Where an offline render's frames and sound go: an MP4 file or a folder.
// Frames wait in a bounded queue for the sink's own threads to encode and write
// them. Nothing appears under the final names until it is complete.
#pragma once

#include "tool/render/FrameQueue.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Queues the next frame; waits while the writers are busy. False once writing
    // has failed (see problem()).
    bool write(RenderedFrame frame);
    // Writes the sound of the whole span (interleaved 16-bit stereo) and completes
    // the output under its final name. False when that fails.
    virtual bool finish(std::span<const int16_t> sound, int rate) = 0;
    // Why writing failed; empty while it has not.
    std::string problem() const;

protected:
    // Keeps the first problem; the writers' threads report theirs here too.
    void fail(const std::string& problem);
    bool failed() const { return failed_; }

    FrameQueue queue_{8};

private:
    std::atomic<bool> failed_{false};
    mutable std::mutex problemMutex_;
    std::string problem_;
};
