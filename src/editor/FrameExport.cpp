#include "editor/FrameExport.h"

#include "editor/EditorContext.h"
#include "timeline/Composition.h"

#include <GL/glew.h>
#include <imgui.h>

#include <cstdio>
#include <cstring>

namespace {

std::string exportFileName(int64_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "%05lld.png", static_cast<long long>(frame));
    return name;
}

} // namespace

void FrameExport::start(EditorContext& context) {
    const ScreenSize screen = context.frame.screen;
    writer_ = std::make_unique<PngWriter>("render", exportFileName, screen.width, screen.height);
    if (!writer_->start()) {
        context.status.set("Export stopped: " + writer_->failure().message());
        writer_.reset();
        return;
    }
    frame_ = 0;
    if (context.clock.paused)
        context.clock.togglePause(context.demo);
}

void FrameExport::stop(EditorContext& context) {
    writer_->finish();
    if (writer_->failure().happened())
        context.status.set("Export stopped: " + writer_->failure().message());
    else
        context.status.set("Exported " + std::to_string(frame_) + " frames to render/");
    writer_.reset();
    frame_ = -1;
}

void FrameExport::readBackBuffer(int width, int height) {
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    pixels_.resize(rowBytes * static_cast<size_t>(height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1); // rows of width × 3 bytes need not be 4-byte aligned
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
}

void FrameExport::step(EditorContext& context) {
    Demo& demo = context.demo;
    const float beat = beatOf(frame_, demo.bpm);
    context.clock.seekToBeat(demo, beat);
    if (beat > demo.end_beat) {
        stop(context);
        return;
    }
    FrameContext frame = context.frame;
    frame.beat = beat;
    if (const Effect* top = renderAt(demo, context.render, context.audio, frame))
        context.render.effect(*top).ensureCaptureTarget(frame.screen);
    readBackBuffer(frame.screen.width, frame.screen.height);

    RenderedFrame rendered{frame_, std::vector<uint8_t>(pixels_.size())};
    // GL's rows run bottom up; the file's top down.
    const size_t rowBytes = static_cast<size_t>(frame.screen.width) * 3;
    for (int row = 0; row < frame.screen.height; ++row)
        std::memcpy(&rendered.rgb[static_cast<size_t>(row) * rowBytes],
                    &pixels_[static_cast<size_t>(frame.screen.height - 1 - row) * rowBytes], rowBytes);
    if (!writer_->write(std::move(rendered))) {
        stop(context);
        return;
    }

    ImGui::Text("Rendering frame %i at beat %0.3f of %0.3f", frame_, static_cast<double>(beat),
                static_cast<double>(demo.end_beat));
    ImGui::ProgressBar(demo.end_beat > 0.0f ? beat / demo.end_beat : 1.0f);
    if (ImGui::Button("Stop Rendering!")) {
        ++frame_;
        stop(context);
        return;
    }
    ++frame_;
}
