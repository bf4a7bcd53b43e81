// What a part file of a render split across machines says about itself, so that
// `quillfront-tool join` can tell whether parts belong together. It travels as
// the part's "comment" tag: one line of plain words and numbers.
#pragma once

#include "project/Demo.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Frames [first, end) on the project's frame grid.
struct FrameRange {
    int64_t first = 0;
    int64_t end = 0;

    int64_t length() const { return end - first; }
    bool operator==(const FrameRange&) const = default;
};

// The K-th (from 1) of N near-equal ranges of `span`: parts 1 to N cover it in
// order, each frame once. Empty when the span has fewer than N frames.
FrameRange partRange(const FrameRange& span, int index, int count);

struct PartLabel {
    std::string project; // projectFingerprint() of the rendered project
    int width = 0;
    int height = 0;
    int fps = 0;
    FrameRange span; // the whole render's
    int index = 1;
    int count = 1;

    FrameRange frames() const { return partRange(span, index, count); }
    // Whether `other` is a part of the same render: project, picture, frame rate, span and count.
    bool sameRender(const PartLabel& other) const;
};

// A digest of everything that decides the demo's pictures and sound, resources
// included, so that parts rendered from copies of a project on other machines
// match when the copies do.
std::string projectFingerprint(const Demo& demo);

// The sound of a part: interleaved 16-bit stereo at this rate.
constexpr int partSoundRate = 48000;

std::string labelText(const PartLabel& label);
// The label in `text`; none when it is not a well-formed label of this program's
// part format (an older or newer format, or no part at all).
std::optional<PartLabel> parseLabel(std::string_view text);

// The name of a file of the render output `out` while process `id` on machine
// `host` writes it: hidden beside it, ending in `suffix`.
std::string unfinishedName(const std::filesystem::path& out, const std::string& host, int id,
                           const std::string& suffix);

// Who is writing a render output, from the name of one of its unfinished files.
struct OutputWriter {
    std::string host;
    int id = 0;
};
// The writer of `out` that `fileName` (a name in its folder) belongs to; none when
// it is no unfinished file of `out`.
std::optional<OutputWriter> writerOf(const std::filesystem::path& out, std::string_view fileName);
