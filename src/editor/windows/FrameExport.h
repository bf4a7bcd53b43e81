// "Export Videoframes": the demo written out as numbered PNG images,
// "render/00000.png" on, at 60 frames a second of music time, one frame per
// main-loop frame until the beat passes the end beat or the user stops it.
// The music and the clock follow the export. Encoding runs on worker threads
// (PngWriter), so the export goes at the speed of composing.
#pragma once

#include "project/Demo.h"
#include "project/FrameGrid.h"
#include "render/PngWriter.h"

#include <memory>

struct EditorContext;

class FrameExport {
public:
    bool running() const { return frame_ >= 0; }
    int frame() const { return frame_; }

    // Starts at frame 0 with the clock running; the "render" folder is made when
    // missing. A folder that cannot be written is reported on the status line.
    void start(EditorContext& context);
    // One frame: composes it into the back buffer, queues it for writing, and
    // shows the progress with a button that stops the export.
    void step(EditorContext& context);

    // The exported frames: 60 a second of music time, frame 0 at beat 0.
    static FrameGrid gridOf(const Demo& demo) { return {Tempo::of(demo), 60, FrameOrigin::beatZero}; }

private:
    void stop(EditorContext& context);

    int frame_ = -1;
    std::unique_ptr<PngWriter> writer_;
};
