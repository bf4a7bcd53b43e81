#include "composition/OfflineComposer.h"

#include "composition/Composition.h"
#include "render/FrameReadback.h"
#include "render/Gl.h"

OfflineComposer::OfflineComposer(Demo& demo, RenderCache& cache, OfflineMix& mix, FrameGrid grid, ScreenSize size,
                                 int mixRate)
    : demo_(demo), cache_(cache), mix_(mix), grid_(grid), size_(size), mixRate_(mixRate) {}

void OfflineComposer::compose(int64_t frame) {
    const int64_t position = grid_.mixPositionOf(frame, mixRate_);
    composeHeard(position, static_cast<float>(grid_.beatOf(frame)), size_, false, position);
}

void OfflineComposer::catchUp(int64_t frame, const CarriedState& carried) {
    if (carried.wholeFrames) {
        compose(frame);
        return;
    }
    const int64_t position = grid_.mixPositionOf(frame, mixRate_);
    const float beat = static_cast<float>(grid_.beatOf(frame));
    if (!carried.passes.empty()) {
        catchUpAt(demo_, cache_, mix_, startFrame(position, beat, size_, false, position), carried);
        return;
    }
    // No pass runs, so nothing reads what is heard.
    FrameContext context;
    context.beat = beat;
    context.screen = size_;
    mix_.setPosition(position);
    catchUpAt(demo_, cache_, mix_, context, carried);
}

void OfflineComposer::composeHeard(int64_t position, float beat, ScreenSize size, bool paused, int64_t samplesFrom) {
    renderAt(demo_, cache_, mix_, startFrame(position, beat, size, paused, samplesFrom));
}

FrameContext OfflineComposer::startFrame(int64_t position, float beat, ScreenSize size, bool paused,
                                         int64_t samplesFrom) {
    heard_.analyse(mix_, position);
    FrameContext context;
    context.beat = beat;
    context.paused = paused;
    context.soundLevel = heard_.soundLevel();
    context.soundRows = heard_.rows();
    context.screen = size;
    mix_.setPosition(samplesFrom);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, size.width, size.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return context;
}

void OfflineComposer::readPixels(std::vector<uint8_t>& rgb) const { readFrameRgb(size_, rgb); }
