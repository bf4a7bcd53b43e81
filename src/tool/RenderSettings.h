// What `quillfront-tool render` is asked to do: the command line's operands and
// options, checked before any work starts.
#pragma once

#include "tool/CommandLine.h"

#include <optional>
#include <string>
#include <vector>

// What a render may ask for, here and in a part file's label.
constexpr int maximumRenderSide = 8192;
constexpr int maximumRenderFps = 240;
constexpr int maximumRenderParts = 100000;

// The K-th (from 1) of N near-equal frame ranges of a span.
struct RenderPart {
    int index = 1;
    int count = 1;
};

struct RenderSettings {
    std::string project;
    std::string out; // a ".mp4" file, a ".mov" part file, or a folder for PNG frames and a WAV file
    int width = 1280;
    int height = 720;
    int fps = 60;
    std::optional<double> from; // beats; the demo's start when not given
    std::optional<double> to;   // beats; the demo's end beat when not given
    std::optional<RenderPart> part;

    bool toVideo() const { return out.size() > 4 && out.ends_with(".mp4"); }
    // A part for `quillfront-tool join`: without --part, the whole span as part 1 of 1.
    bool toPartFile() const { return out.size() > 4 && out.ends_with(".mov"); }
};

const std::vector<OptionSpec>& renderOptions();

// The settings of a parsed `render` line (operands PROJECT OUT), or nothing with
// the problem in `problem`: a usage error.
std::optional<RenderSettings> renderSettingsOf(const ParsedCommandLine& line, std::string& problem);

// The settings as arguments for the renderer program, options first.
std::vector<std::string> renderArguments(const RenderSettings& settings);
