#include "timeline/OfflineComposer.h"

#include "timeline/Composition.h"

#include <GL/glew.h>

#include <cstring>

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

void OfflineComposer::readPixels(std::vector<uint8_t>& rgb) {
    const size_t rowBytes = static_cast<size_t>(size_.width) * 3;
    rgb.resize(rowBytes * static_cast<size_t>(size_.height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size_.width, size_.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    // GL's rows run bottom up.
    rowSwap_.resize(rowBytes);
    uint8_t* row = rowSwap_.data();
    for (size_t top = 0, bottom = static_cast<size_t>(size_.height) - 1; top < bottom; ++top, --bottom) {
        std::memcpy(row, &rgb[top * rowBytes], rowBytes);
        std::memcpy(&rgb[top * rowBytes], &rgb[bottom * rowBytes], rowBytes);
        std::memcpy(&rgb[bottom * rowBytes], row, rowBytes);
    }
}
