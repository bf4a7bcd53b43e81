#include "editor/windows/FrameExport.h"

#include "composition/Composition.h"
#include "editor/windows/EditorContext.h"
#include "render/FrameReadback.h"

#include <imgui.h>

#include <cmath>
#include <cstdio>

namespace {

std::string exportFileName(int64_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "%05lld.png", static_cast<long long>(frame));
    return name;
}

} // namespace

void FrameExport::start(EditorContext& context) {
    const Demo& demo = context.demo;
    // Beats advance with the tempo: without a usable one the export would never reach the end.
    if (!Tempo::of(demo).usable() || !std::isfinite(demo.end_beat)) {
        context.status.set("Export needs a positive BPM and an end beat");
        return;
    }
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

void FrameExport::step(EditorContext& context) {
    Demo& demo = context.demo;
    const float beat = static_cast<float>(gridOf(demo).beatOf(frame_));
    context.clock.seekToBeat(demo, beat);
    if (beat > demo.end_beat) {
        stop(context);
        return;
    }
    FrameContext frame = context.frame;
    frame.beat = beat;
    if (const Effect* top = renderAt(demo, context.render, context.audio, frame))
        context.render.effect(*top).ensureCaptureTarget(frame.screen);
    RenderedFrame rendered{frame_, {}};
    readFrameRgb(frame.screen, rendered.rgb);
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
