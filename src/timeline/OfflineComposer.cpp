#include "timeline/OfflineComposer.h"

#include "render/FrameReadback.h"
#include "render/Gl.h"
#include "timeline/Composition.h"

OfflineComposer::OfflineComposer(Demo& demo, RenderCache& cache, OfflineMix& mix, FrameGrid grid, ScreenSize size,
                                 int mixRate)
    : demo_(demo), cache_(cache), mix_(mix), grid_(grid), size_(size), mixRate_(mixRate) {}

void OfflineComposer::compose(int64_t frame) {
    const int64_t position = grid_.mixPositionOf(frame, mixRate_);
    // What was heard just before the frame: samples this frame starts are not in it yet.
    mix_.mix(position - analysedFrames, analysedFrames, heard_.data());
    analyser_.analyse(heard_.data(), analysedFrames, rows_.data());
    FrameContext context;
    context.beat = static_cast<float>(grid_.beatOf(frame));
    context.soundLevel = loudnessOf(heard_.data(), static_cast<int>(heard_.size()));
    context.soundRows = rows_.data();
    context.screen = size_;
    mix_.setPosition(position);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, size_.width, size_.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderAt(demo_, cache_, mix_, context);
}

void OfflineComposer::readPixels(std::vector<uint8_t>& rgb) const { readFrameRgb(size_, rgb); }
