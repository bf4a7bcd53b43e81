#include "tool/PartLabel.h"

#include "project/ProjectFiles.h"
#include "project/SaveError.h"
#include "tool/RenderSettings.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace {

// Bumped whenever parts of one version could not be joined with another's:
// the encoder's settings, the sound's form or this label's words.
constexpr int partFormat = 1;
// Renders stop at a billion frames; this bound keeps partRange's products in range.
constexpr int64_t maximumFrame = int64_t{1} << 32;

uint64_t fnv1a(std::string_view bytes, uint64_t hash = 0xcbf29ce484222325u) {
    for (const char byte : bytes) {
        hash ^= static_cast<uint8_t>(byte);
        hash *= 0x100000001b3u;
    }
    return hash;
}

bool plausible(const PartLabel& label) {
    return label.width > 0 && label.width <= maximumRenderSide && label.height > 0 &&
           label.height <= maximumRenderSide && label.fps > 0 && label.fps <= maximumRenderFps &&
           label.span.first >= 0 && label.span.end > label.span.first && label.span.end <= maximumFrame &&
           label.count >= 1 && label.count <= maximumRenderParts && label.index >= 1 && label.index <= label.count &&
           label.frames().length() > 0;
}

// Reads a label from the front: its fixed words and its numbers, nothing else.
struct LabelReader {
    std::string_view rest;

    bool word(std::string_view expected) {
        if (!rest.starts_with(expected))
            return false;
        rest.remove_prefix(expected.size());
        return true;
    }
    bool number(int64_t& value) {
        const auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error != std::errc() || next == rest.data() || value < 0)
            return false;
        rest.remove_prefix(static_cast<size_t>(next - rest.data()));
        return true;
    }
    bool hex(std::string_view& digits) {
        const size_t length = rest.find_first_not_of("0123456789abcdef");
        digits = rest.substr(0, length);
        rest.remove_prefix(digits.size());
        return !digits.empty();
    }
};

} // namespace

FrameRange partRange(const FrameRange& span, int index, int count) {
    return {span.first + span.length() * (index - 1) / count, span.first + span.length() * index / count};
}

bool PartLabel::sameRender(const PartLabel& other) const {
    return project == other.project && width == other.width && height == other.height && fps == other.fps &&
           span == other.span && count == other.count;
}

std::string projectFingerprint(const Demo& demo) {
    uint64_t hash = 0;
    try {
        const std::vector<uint8_t> bytes = writeBinaryProject(demo);
        hash = fnv1a({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    } catch (const SaveError&) {
        hash = fnv1a(writeJsonProject(demo, false)); // what the binary form cannot hold
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

std::string labelText(const PartLabel& label) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "quillfront part format %d, project %s, %dx%d at %d fps, frames %" PRId64 " to %" PRId64
                  ", part %d of %d",
                  partFormat, label.project.c_str(), label.width, label.height, label.fps, label.span.first,
                  label.span.end, label.index, label.count);
    return text;
}

std::optional<PartLabel> parseLabel(std::string_view text) {
    LabelReader reader{text};
    PartLabel label;
    int64_t format = 0, width = 0, height = 0, fps = 0, index = 0, count = 0;
    std::string_view project;
    const bool read = reader.word("quillfront part format ") && reader.number(format) && reader.word(", project ") &&
                      reader.hex(project) && reader.word(", ") && reader.number(width) && reader.word("x") &&
                      reader.number(height) && reader.word(" at ") && reader.number(fps) &&
                      reader.word(" fps, frames ") && reader.number(label.span.first) && reader.word(" to ") &&
                      reader.number(label.span.end) && reader.word(", part ") && reader.number(index) &&
                      reader.word(" of ") && reader.number(count) && reader.rest.empty();
    // Every field is checked against its limit before it narrows.
    if (!read || format != partFormat || project.size() != 16 || width > maximumRenderSide ||
        height > maximumRenderSide || fps > maximumRenderFps || count > maximumRenderParts || index > count)
        return std::nullopt;
    label.project = project;
    label.width = static_cast<int>(width);
    label.height = static_cast<int>(height);
    label.fps = static_cast<int>(fps);
    label.index = static_cast<int>(index);
    label.count = static_cast<int>(count);
    if (!plausible(label))
        return std::nullopt;
    return label;
}

std::string unfinishedName(const std::filesystem::path& out, const std::string& host, int id,
                           const std::string& suffix) {
    return "." + out.filename().string() + ".render@" + host + "@" + std::to_string(id) + "." + suffix;
}

std::optional<OutputWriter> writerOf(const std::filesystem::path& out, std::string_view fileName) {
    LabelReader reader{fileName};
    if (!reader.word("." + out.filename().string() + ".render@"))
        return std::nullopt;
    const size_t at = reader.rest.find('@');
    if (at == std::string_view::npos || at == 0)
        return std::nullopt;
    OutputWriter writer{std::string(reader.rest.substr(0, at)), 0};
    reader.rest.remove_prefix(at + 1);
    int64_t id = 0;
    if (!reader.number(id) || id > std::numeric_limits<int>::max() || !reader.word("."))
        return std::nullopt;
    writer.id = static_cast<int>(id);
    return writer;
}
