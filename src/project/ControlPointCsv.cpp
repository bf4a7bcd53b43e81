#include "project/ControlPointCsv.h"

#include "project/NumberText.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace {

const char* const folder = "resources/";
const char* const extension = ".csv";

bool isControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

std::string keyRefusal(std::string_view key) {
    if (key.empty())
        return "A variable without a name has no file";
    if (key.find_first_of("/\\") != std::string_view::npos)
        return "\"" + std::string(key) + "\" holds a path separator: it cannot name a file";
    if (key.front() == '.')
        return "\"" + std::string(key) + "\" starts with a dot: it cannot name a file";
    for (char c : key)
        if (isControlByte(c))
            return "The variable's name holds a control character: it cannot name a file";
    if (std::string_view(folder).size() + key.size() + std::string_view(extension).size() > maxCsvPathBytes)
        return "\"" + std::string(key) + "\" is too long to name a file";
    return {};
}

void appendNumber(std::string& out, float number) { appendFixed6(out, static_cast<double>(number)); }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isBlankField(std::string_view field) {
    for (char c : field)
        if (!isBlank(c))
            return false;
    return true;
}

// The number at the start of a field as atof reads it, but in no locale:
// leading blanks skipped, the longest number there; none when there is none.
std::optional<float> leadingNumber(std::string_view field) {
    size_t start = 0;
    while (start < field.size() && isBlank(field[start]))
        ++start;
    if (start < field.size() && field[start] == '+')
        ++start;
    double value = 0.0;
    const auto result = parseDouble(field.data() + start, field.data() + field.size(), value);
    if (result.ptr == field.data() + start)
        return std::nullopt;
    return static_cast<float>(value);
}

std::string withoutCarriageReturns(std::string_view bytes) {
    std::string kept;
    kept.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r')
            kept += c;
    return kept;
}

} // namespace

CsvFile csvFileOf(std::string_view key) {
    std::string refusal = keyRefusal(key);
    if (!refusal.empty())
        return {{}, std::move(refusal)};
    return {folder + std::string(key) + extension, {}};
}

std::string writeControlPointCsv(const std::vector<ControlPoint>& points, bool asText) {
    std::string out;
    for (const ControlPoint& point : points) {
        appendNumber(out, point.beat);
        out += ',';
        if (asText)
            out += point.text;
        else
            appendNumber(out, point.value);
        out += '\n';
    }
    return out;
}

CsvPoints readControlPointCsv(std::string_view bytes, bool asText) {
    const std::string text = withoutCarriageReturns(bytes);
    CsvPoints read;
    size_t lineStart = 0;
    for (size_t lineEnd = text.find('\n'); lineEnd != std::string::npos;
         lineStart = lineEnd + 1, lineEnd = text.find('\n', lineStart)) {
        const std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            continue;
        const std::string_view beat = line.substr(0, comma);
        const std::string_view second = line.substr(comma + 1);
        if (beat.size() > maxCsvNumberBytes || (!asText && second.size() > maxCsvNumberBytes))
            return {{}, "a number longer than " + std::to_string(maxCsvNumberBytes) + " bytes"};
        if (asText && second.size() > maxCsvTextBytes)
            return {{}, "a text longer than " + std::to_string(maxCsvTextBytes) + " bytes"};
        // An empty beat field is beat 0, as atof reads it; one holding words
        // but no number is a header or a note.
        const std::optional<float> beatNumber = isBlankField(beat) ? 0.0f : leadingNumber(beat);
        if (!beatNumber)
            continue;
        ControlPoint point{*beatNumber, asText ? 0.0f : leadingNumber(second).value_or(0.0f),
                           asText ? std::string(second) : ""};
        if (!std::isfinite(point.beat) || !std::isfinite(point.value))
            return {{}, "a number too large for a beat or a value"};
        read.points.push_back(std::move(point));
    }
    if (read.points.empty())
        read.refusal = "no points";
    return read;
}
