// Composes pictures from a mix worked out ahead (an offline render's frames,
// the browser player's pictures) through the player's composition: each at its
// exact beat, with the sound analysis of the mix heard up to that moment, and
// starting the samples it reaches in that mix. Pictures must be composed in
// order: feedback effects see the previous one, and a sample still playing is
// not started again.
#pragma once

#include "audio/HeardAnalysis.h"
#include "audio/OfflineMix.h"
#include "composition/CarriedState.h"
#include "project/Demo.h"
#include "project/FrameGrid.h"
#include "render/FrameContext.h"
#include "render/RenderCache.h"
#include "render/ScreenSize.h"

#include <cstdint>
#include <vector>

class OfflineComposer {
public:
    OfflineComposer(Demo& demo, RenderCache& cache, OfflineMix& mix, FrameGrid grid, ScreenSize size, int mixRate);

    // Composes `frame` of the grid into the default framebuffer.
    void compose(int64_t frame);
    // Brings up to date what the frames after `frame` read of it, composing no
    // more of it than `carried` needs: a render that starts part-way through
    // catches up every frame before its first this way.
    void catchUp(int64_t frame, const CarriedState& carried);
    // Composes into the default framebuffer, at `size`, the picture heard at mix
    // position `position` (sample frames from the start of the music) showing
    // `beat`. The samples it starts begin at `samplesFrom` in the mix, where the
    // output takes the mix next; none start while `paused`.
    void composeHeard(int64_t position, float beat, ScreenSize size, bool paused, int64_t samplesFrom);
    // The "sound" level of the picture composed last.
    int soundLevel() const { return heard_.soundLevel(); }
    // The picture composed last, RGB, top row first (width × 3 bytes a row).
    void readPixels(std::vector<uint8_t>& rgb) const;

    const FrameGrid& grid() const { return grid_; }
    ScreenSize size() const { return size_; }

private:
    // Analyses what is heard at `position`, starts samples from `samplesFrom` and
    // clears the default framebuffer for a frame at `size`.
    FrameContext startFrame(int64_t position, float beat, ScreenSize size, bool paused, int64_t samplesFrom);

    Demo& demo_;
    RenderCache& cache_;
    OfflineMix& mix_;
    FrameGrid grid_;
    ScreenSize size_;
    int mixRate_;
    HeardAnalysis heard_;
};
