// Writes rendered frames as PNG files into a folder on worker threads, so
// encoding (which costs more than composing a frame) runs beside the next
// frames. Frames wait in a bounded queue: memory stays capped, and the caller
// waits when the encoders fall behind. Each file is written beside its final
// name and renamed into place once complete.
#pragma once

#include "render/FirstFailure.h"
#include "render/FrameQueue.h"

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class PngWriter {
public:
    // Frame n goes to `folder` / `nameOf(n)`.
    PngWriter(std::filesystem::path folder, std::function<std::string(int64_t)> nameOf, int width, int height);
    // Finishes the frames already queued.
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // Makes the folder when it is missing and starts the encoders. False with the
    // reason in failure() when the folder cannot be made or written.
    bool start();
    // Queues a frame (RGB, top row first); false once a frame could not be written.
    bool write(RenderedFrame frame);
    // Waits until every queued frame is written.
    void finish();

    const FirstFailure& failure() const { return failure_; }

private:
    void encodeFrames();

    std::filesystem::path folder_;
    std::function<std::string(int64_t)> nameOf_;
    int width_;
    int height_;
    FrameQueue queue_;
    std::vector<std::thread> encoders_;
    FirstFailure failure_;
};
