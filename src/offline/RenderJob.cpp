#include "offline/RenderJob.h"

#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "audio/OfflineMix.h"
#include "composition/OfflineComposer.h"
#include "offline/HeadlessContext.h"
#include "offline/PngFolder.h"
#include "offline/ProgressBar.h"
#include "offline/VideoFile.h"
#include "platform/Platform.h"
#include "project/CodecError.h"
#include "project/LoadError.h"
#include "render/RenderCache.h"
#include "tool/PartLabel.h"
#include "tool/ProjectFile.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

volatile std::sig_atomic_t renderInterrupted = 0;

static_assert(mixRate == partSoundRate, "a part's sound is the mix as it comes");

namespace {

constexpr int failure = 1;
const char* const interruptedMessage = "interrupted";

int fail(const std::string& message) {
    std::fprintf(stderr, "quillfront-tool render: %s\n", message.c_str());
    return failure;
}

std::string beatText(double beat) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", beat);
    return text;
}

// The player shows the demo from the start of the music to its end beat.
std::optional<FrameRange> spanOf(const RenderSettings& settings, const Demo& demo, const FrameGrid& grid,
                                 std::string& problem) {
    if (!Tempo::of(demo).usable()) {
        problem = "the demo's tempo is not a positive number, so it has no frames to render";
        return std::nullopt;
    }
    if (!std::isfinite(demo.end_beat) || !std::isfinite(demo.beat_offset)) {
        problem = "the demo's end beat or beat offset is not a number";
        return std::nullopt;
    }
    const double start = grid.beatOf(0);
    const double from = settings.from.value_or(start);
    const double to = settings.to.value_or(demo.end_beat);
    if (from < start - 1e-9)
        problem = "--from " + beatText(from) + " lies before the demo starts (beat " + beatText(start) + ")";
    else if (to > static_cast<double>(demo.end_beat) + 1e-9)
        problem = "--to " + beatText(to) + " lies past the demo's end beat (" + beatText(demo.end_beat) + ")";
    else if (from >= to)
        problem = "the span from beat " + beatText(from) + " to beat " + beatText(to) + " is empty";
    // Frame numbers must fit their counter; a billion frames is over six months at 60 a second.
    if (problem.empty() && grid.tempo.countAt(to, grid.fps) > 1e9)
        problem = "the span from beat " + beatText(from) + " to beat " + beatText(to) + " is too long to render";
    if (!problem.empty())
        return std::nullopt;
    const FrameRange span{std::max<int64_t>(0, grid.firstFrameFrom(from)), grid.firstFrameFrom(to)};
    if (span.end <= span.first) {
        problem = "the span from beat " + beatText(from) + " to beat " + beatText(to) + " holds no frame at " +
                  std::to_string(grid.fps) + " frames a second";
        return std::nullopt;
    }
    return span;
}

std::optional<FrameRange> partOf(const FrameRange& span, const RenderPart& part, std::string& problem) {
    const FrameRange share = partRange(span, part.index, part.count);
    if (share.length() > 0)
        return share;
    problem = "part " + std::to_string(part.index) + " of " + std::to_string(part.count) +
              " holds no frame: the span has only " + std::to_string(span.length()) + " frames";
    return std::nullopt;
}

// Loads the project with its resource files found beside it, as the player does
// when started in the project's folder.
std::unique_ptr<Demo> loadForRender(const std::filesystem::path& project, std::string& problem) {
    try {
        std::filesystem::current_path(project.parent_path());
        LoadedProject loaded = loadProjectFile(project.filename().string());
        if (loaded.syntaxErrors) {
            problem = std::to_string(loaded.syntaxErrors) + " JSON syntax error(s); only part of it loads";
            return nullptr;
        }
        return std::move(loaded.demo);
    } catch (const LoadError& error) {
        problem = error.what();
    } catch (const CodecError& error) {
        problem = error.what();
    } catch (const std::filesystem::filesystem_error& error) {
        problem = error.code().message();
    } catch (const std::bad_alloc&) {
        problem = "not enough memory";
    }
    return nullptr;
}

// What a part file says of itself: the span's part the settings ask for (part
// 1 of 1 without --part).
std::string partLabelOf(const RenderSettings& settings, const Demo& demo, const FrameRange& span) {
    const RenderPart part = settings.part.value_or(RenderPart{});
    return labelText(
        {projectFingerprint(demo), settings.width, settings.height, settings.fps, span, part.index, part.count});
}

std::unique_ptr<FrameSink> openSink(const RenderSettings& settings, const std::filesystem::path& out,
                                    const std::optional<std::string>& partLabel, std::string& problem) {
    if (settings.toVideo() || settings.toPartFile()) {
        auto video = std::make_unique<VideoFile>(out, partLabel);
        if (video->open({settings.width, settings.height}, settings.fps))
            return video;
        problem = video->problem();
    } else {
        auto folder = std::make_unique<PngFolder>(out, settings.width, settings.height);
        if (folder->open())
            return folder;
        problem = folder->problem();
    }
    return nullptr;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int renderDemo(const RenderSettings& settings) {
    const std::filesystem::path project = std::filesystem::absolute(settings.project);
    const std::filesystem::path out = std::filesystem::absolute(settings.out);
    std::string problem;
    HeadlessContext context;
    if (!context.start({settings.width, settings.height}, problem))
        return fail(problem);
    std::unique_ptr<Demo> demo = loadForRender(project, problem);
    if (!demo)
        return fail(settings.project + ": " + problem);
    const FrameGrid grid{Tempo::of(*demo), settings.fps, FrameOrigin::musicStart};
    const std::optional<FrameRange> whole = spanOf(settings, *demo, grid, problem);
    std::optional<FrameRange> span = whole;
    if (span && settings.part)
        span = partOf(*span, *settings.part, problem);
    if (!span)
        return fail(problem);
    std::optional<std::string> partLabel;
    if (settings.toPartFile())
        partLabel = partLabelOf(settings, *demo, *whole);
    std::unique_ptr<FrameSink> sink = openSink(settings, out, partLabel, problem);
    if (!sink)
        return fail(problem);

    RenderCache renderCache;
    AudioCache audioCache;
    renderCache.build(*demo, {settings.width, settings.height});
    audioCache.build(*demo);
    std::vector<int16_t> music = decodeMusic(demo->music->data, problem);
    if (!problem.empty())
        std::fprintf(stderr, "quillfront-tool render: music: %s; rendering without it\n", problem.c_str());
    OfflineMix mix(std::move(music), audioCache);
    OfflineComposer composer(*demo, renderCache, mix, grid, {settings.width, settings.height}, mixRate);

    ProgressBar progress(stderr, standardErrorIsTerminal());
    const CarriedState carried = carriedStateOf(*demo);
    for (int64_t frame = 0; frame < span->first; ++frame) {
        if (renderInterrupted)
            return fail(interruptedMessage);
        composer.catchUp(frame, carried);
        progress.update("catching up", frame + 1, span->first);
    }
    const auto start = std::chrono::steady_clock::now();
    const int64_t count = span->end - span->first;
    for (int64_t frame = span->first; frame < span->end; ++frame) {
        if (renderInterrupted)
            return fail(interruptedMessage);
        composer.compose(frame);
        RenderedFrame rendered{frame, {}};
        composer.readPixels(rendered.rgb);
        if (!sink->write(std::move(rendered)))
            return fail(sink->problem());
        progress.update("rendering", frame - span->first + 1, count);
    }
    const int64_t soundStart = grid.mixPositionOf(span->first, mixRate);
    std::vector<int16_t> sound(static_cast<size_t>(grid.mixPositionOf(span->end, mixRate) - soundStart) * 2);
    mix.mix(soundStart, static_cast<int64_t>(sound.size() / 2), sound.data());
    if (!sink->finish(sound, mixRate))
        return fail(sink->problem());
    const double seconds = secondsSince(start);
    char summary[256];
    std::snprintf(summary, sizeof summary, "rendered %lld frames (beats %s to %s) in %.1f s, %.1f frames a second: %s",
                  static_cast<long long>(count), beatText(grid.beatOf(span->first)).c_str(),
                  beatText(grid.beatOf(span->end)).c_str(), seconds, static_cast<double>(count) / seconds,
                  settings.out.c_str());
    progress.finish(summary);
    return 0;
}
