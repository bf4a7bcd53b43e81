#include "tool/RenderSettings.h"

#include "project/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr int minimumSide = 16;

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && next == end;
}

bool parseBeat(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [next, error] = parseDouble(text.data(), end, value);
    return error == std::errc() && next == end && std::isfinite(value);
}

bool parsePart(const std::string& text, RenderPart& part) {
    const size_t slash = text.find('/');
    return slash != std::string::npos && parseInt(text.substr(0, slash), part.index) &&
           parseInt(text.substr(slash + 1), part.count) && part.count >= 1 && part.count <= maximumRenderParts &&
           part.index >= 1 && part.index <= part.count;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find('x');
    return cross != std::string::npos && parseInt(text.substr(0, cross), width) &&
           parseInt(text.substr(cross + 1), height);
}

std::string beatText(double beat) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", beat);
    return text;
}

} // namespace

const std::vector<OptionSpec>& renderOptions() {
    static const std::vector<OptionSpec> options = {
        {"--size", "WxH", "the picture's size in pixels (default 1280x720)"},
        {"--fps", "N", "frames a second (default 60)"},
        {"--from", "BEAT", "the first beat (default: the start of the music)"},
        {"--to", "BEAT", "the beat it stops before (default: the demo's end beat)"},
        {"--part", "K/N", "only the K-th of N near-equal frame ranges of the span (into a .mov part)"},
    };
    return options;
}

std::optional<RenderSettings> renderSettingsOf(const ParsedCommandLine& line, std::string& problem) {
    RenderSettings settings;
    settings.project = line.operands.at(0);
    settings.out = line.operands.at(1);
    for (const auto& [name, value] : line.options) {
        double beat = 0.0;
        if (name == "--size") {
            if (!parseSize(value, settings.width, settings.height) || settings.width < minimumSide ||
                settings.height < minimumSide || settings.width > maximumRenderSide ||
                settings.height > maximumRenderSide) {
                problem = "--size wants WIDTHxHEIGHT, each from 16 to 8192, not '" + value + "'";
                return std::nullopt;
            }
        } else if (name == "--fps") {
            if (!parseInt(value, settings.fps) || settings.fps < 1 || settings.fps > maximumRenderFps) {
                problem = "--fps wants a whole number from 1 to 240, not '" + value + "'";
                return std::nullopt;
            }
        } else if (name == "--from" || name == "--to") {
            if (!parseBeat(value, beat)) {
                problem = name + " wants a beat, not '" + value + "'";
                return std::nullopt;
            }
            (name == "--from" ? settings.from : settings.to) = beat;
        } else if (name == "--part") {
            RenderPart part;
            if (!parsePart(value, part)) {
                problem = "--part wants K/N, a part K from 1 to N of N parts (at most 100000), not '" + value + "'";
                return std::nullopt;
            }
            settings.part = part;
        }
    }
    if (settings.toVideo() && settings.part) {
        problem = "a part is joined later: render it into a .mov part file, then put the parts together with "
                  "'quillfront-tool join'";
        return std::nullopt;
    }
    if ((settings.toVideo() || settings.toPartFile()) && (settings.width % 2 || settings.height % 2)) {
        problem = "a video wants an even width and height, not " + std::to_string(settings.width) + "x" +
                  std::to_string(settings.height);
        return std::nullopt;
    }
    return settings;
}

std::vector<std::string> renderArguments(const RenderSettings& settings) {
    std::vector<std::string> args = {"--size", std::to_string(settings.width) + "x" + std::to_string(settings.height),
                                     "--fps", std::to_string(settings.fps)};
    if (settings.from)
        args.insert(args.end(), {"--from", beatText(*settings.from)});
    if (settings.to)
        args.insert(args.end(), {"--to", beatText(*settings.to)});
    if (settings.part)
        args.insert(args.end(),
                    {"--part", std::to_string(settings.part->index) + "/" + std::to_string(settings.part->count)});
    args.insert(args.end(), {"--", settings.project, settings.out});
    return args;
}
