// Composes the frames of an offline render through the player's composition,
// each at its exact beat, with the sound analysis of the mix heard up to that
// moment, and starts the samples the frame reaches in the offline mix. Frames
// must be composed in order: feedback effects see the previous frame, and a
// sample still playing is not started again.
#pragma once

#include "audio/HeardAnalysis.h"
#include "audio/OfflineMix.h"
#include "composition/FrameGrid.h"
#include "project/Demo.h"
#include "render/RenderCache.h"
#include "render/ScreenSize.h"

#include <cstdint>
#include <vector>

class OfflineComposer {
public:
    OfflineComposer(Demo& demo, RenderCache& cache, OfflineMix& mix, FrameGrid grid, ScreenSize size, int mixRate);

    // Composes `frame` into the default framebuffer.
    void compose(int64_t frame);
    // The picture composed last, RGB, top row first (width × 3 bytes a row).
    void readPixels(std::vector<uint8_t>& rgb) const;

    const FrameGrid& grid() const { return grid_; }
    ScreenSize size() const { return size_; }

private:
    Demo& demo_;
    RenderCache& cache_;
    OfflineMix& mix_;
    FrameGrid grid_;
    ScreenSize size_;
    int mixRate_;
    HeardAnalysis heard_;
};
