#include "project/Event.h"

#include "project/AudioSample.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/Effect.h"
#include "project/EventGroup.h"
#include "project/Numbers.h"
#include "project/SaveError.h"

#include <cmath>

namespace {

// Walks the points in stored order to the last one at or before `local`, and the one
// after it. `current` is -1 when `local` lies before every point.
struct Segment {
    int current = -1;
    int next = -1;
};

Segment findSegment(const std::vector<ControlPoint>& points, float local) {
    Segment segment;
    const int count = static_cast<int>(points.size());
    for (int i = 0; i < count; ++i) {
        if (local >= points[i].beat) {
            segment.current = i;
        } else if (segment.current != -1) {
            segment.next = i;
            return segment;
        }
    }
    segment.next = segment.current + 1;
    return segment;
}

// An index one past either end wraps with `repeat` and clamps without.
int wrapForward(int index, int count, bool repeat) {
    if (index == count)
        return repeat ? 0 : count - 1;
    return index;
}

float catmullRom(float p0, float p1, float p2, float p3, float t) {
    return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                   (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
}

} // namespace

ControlPointList& Event::variable(std::string_view key) {
    auto found = variables.find(key);
    if (found == variables.end())
        found = variables.emplace(std::string(key), ControlPointList()).first;
    return found->second;
}

const ControlPointList* Event::findVariable(std::string_view key) const {
    const auto found = variables.find(key);
    return found == variables.end() ? nullptr : &found->second;
}

const ControlPointList* Event::findOverride(std::string_view member, std::string_view variableName) const {
    const auto found = variables.find(OverrideKey{member, variableName});
    return found == variables.end() ? nullptr : &found->second;
}

float Event::evaluate(const ControlPointList& list, float beat) const {
    if (beat < startBeat || beat > endBeat || list.points.empty())
        return 0.0f;
    const std::vector<ControlPoint>& points = list.points;
    const int count = static_cast<int>(points.size());
    const float local = beat - startBeat;
    const Segment segment = findSegment(points, local);
    if (segment.current == -1)
        return 0.0f;

    const int current = segment.current;
    const int next = wrapForward(segment.next, count, list.repeat);
    const int afterNext = wrapForward(next + 1, count, list.repeat);
    const int previous = current == 0 ? (list.repeat ? count - 1 : 0) : current - 1;

    const float value = points[current].value;
    if (list.mode == LastValue)
        return value;
    if (list.mode != Linear && list.mode != Smooth)
        return 0.0f;
    // Two points on one beat leave no segment to interpolate over: hold the current value.
    const float span = points[next].beat - points[current].beat;
    if (next == current || span == 0.0f)
        return value;
    const float t = (local - points[current].beat) / span;
    if (list.mode == Linear)
        return (1.0f - t) * value + t * points[next].value;
    return catmullRom(points[previous].value, value, points[next].value, points[afterNext].value, t);
}

std::string_view Event::textAtBeat(std::string_view key, float beat, int32_t charsPerBeat) const {
    const ControlPointList* list = findVariable(key);
    return list ? textOf(*list, beat, charsPerBeat) : std::string_view();
}

std::string_view Event::textOf(const ControlPointList& list, float beat, int32_t charsPerBeat) const {
    if (beat < startBeat || beat > endBeat)
        return {};
    const std::vector<ControlPoint>& points = list.points;
    const float local = beat - startBeat;
    int current = -1;
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        if (local >= points[i].beat)
            current = i;
    if (current == -1)
        return {};

    const std::string& text = points[static_cast<size_t>(current)].text;
    if (charsPerBeat == -1 || current == static_cast<int>(points.size()) - 1)
        return text;
    const ControlPoint& from = points[static_cast<size_t>(current)];
    const ControlPoint& to = points[static_cast<size_t>(current) + 1];
    const float fraction = (beat - from.beat - startBeat) / (to.beat - from.beat);
    // 64 bits: a saturated count plus one must not overflow.
    const int64_t shown = int64_t{truncToInt32(std::floor(fraction * static_cast<float>(text.size()) *
                                                          static_cast<float>(charsPerBeat)))} +
                          1;
    if (text.empty() || shown < 0 || static_cast<size_t>(shown) >= text.size())
        return text;
    return std::string_view(text).substr(0, static_cast<size_t>(shown));
}

namespace {

// The name an event's JSON stores for its reference: the referenced object's
// name, or "" when the reference is null.
template <typename T> std::string nameOf(const T* object) { return object ? object->name : std::string(); }

JsonValue pointToJson(const ControlPoint& point) {
    if (!point.text.empty())
        return JsonValue::makeObject({{"beat", point.beat}, {"text", point.text}});
    return JsonValue::makeObject({{"beat", point.beat}, {"value", point.value}});
}

JsonValue listToJson(const ControlPointList& list) {
    JsonValue points = JsonValue::makeArray();
    for (const ControlPoint& point : list.points)
        points.append(pointToJson(point));
    return JsonValue::makeObject({{"mode", list.mode}, {"repeat", list.repeat}, {"control_points", std::move(points)}});
}

ControlPointList listFromJson(const JsonValue& entry) {
    ControlPointList list;
    list.mode = entry.get("mode").asInt();
    list.repeat = entry.get("repeat").asBool();
    for (const JsonValue& element : entry.get("control_points").elements()) {
        const auto beat = static_cast<float>(element.get("beat").asFloat());
        if (element.contains("text"))
            list.points.push_back({beat, 0.0f, element.get("text").asString()});
        else
            list.points.push_back({beat, static_cast<float>(element.get("value").asFloat()), std::string()});
    }
    return list;
}

// A variable's record is at least a name's 8-byte length, the mode, the repeat
// flag and the point count; a point's at least two floats and a text's length.
constexpr size_t minVariableBytes = 8 + 4 + 1 + 8;
constexpr size_t minPointBytes = 4 + 4 + 8;

ControlPointList listFromBinary(BinaryReader& stream) {
    ControlPointList list;
    list.mode = stream.readI32();
    list.repeat = stream.readFlag();
    list.points.resize(stream.readCount(minPointBytes));
    for (ControlPoint& point : list.points) {
        point.beat = stream.readF32();
        point.value = stream.readF32();
        point.text = readCompressedString(stream);
    }
    return list;
}

} // namespace

JsonValue Event::toJson(bool) const {
    JsonValue object = JsonValue::makeObject({{"type", type}, {"name", name}});
    if (!hasKnownType())
        return object;
    object.member("visible") = visible ? "true" : "false";
    if (type == AudioSampleEvent) {
        object.member("audio_sample") = nameOf(audioSample);
        object.member("beat") = startBeat;
    } else {
        object.member(type == EffectEvent ? "effect" : "group") = type == EffectEvent ? nameOf(effect) : nameOf(group);
        object.member("start_beat") = startBeat;
        object.member("end_beat") = endBeat;
    }
    JsonValue& lists = object.member("control_points");
    lists.setKind(JsonKind::Object);
    for (const auto& [key, list] : variables)
        lists.member(key) = listToJson(list);
    return object;
}

void Event::writeBinary(BinaryWriter& stream) const {
    // The record's layout follows the type, and a wider type written as one byte
    // would be read back as another type with another layout.
    if (type < 0 || type > 255)
        throw SaveError(SaveErrorKind::EventTypeOutOfRange, "Event \"" + name + "\" has type " + std::to_string(type) +
                                                                "; the binary form holds types 0 to 255");
    stream.writeU8(static_cast<uint8_t>(type));
    stream.writeCount(variables.size());
    for (const auto& [key, list] : variables) {
        writeCompressedString(stream, key);
        stream.writeI32(list.mode);
        stream.writeFlag(list.repeat);
        stream.writeCount(list.points.size());
        for (const ControlPoint& point : list.points) {
            stream.writeF32(point.beat);
            stream.writeF32(point.value);
            writeCompressedString(stream, point.text);
        }
    }
    if (!hasKnownType())
        return;
    stream.writeFlag(visible);
    const void* reference = type == EffectEvent        ? static_cast<const void*>(effect)
                            : type == AudioSampleEvent ? static_cast<const void*>(audioSample)
                                                       : static_cast<const void*>(group);
    stream.writeReference(reference);
    stream.writeF32(startBeat);
    if (type != AudioSampleEvent)
        stream.writeF32(endBeat);
    writeCompressedString(stream, name);
}

void Event::fromJson(const JsonValue& value) {
    type = value.contains("type") ? value.get("type").asInt() : EffectEvent;
    name = value.get("name").asString();
    visible = !value.contains("visible") || value.get("visible").asString() == "true";
    if (type == EffectEvent || type == GroupEvent) {
        startBeat = static_cast<float>(value.get("start_beat").asFloat());
        endBeat = static_cast<float>(value.get("end_beat").asFloat());
    } else if (type == AudioSampleEvent) {
        startBeat = static_cast<float>(value.get("beat").asFloat());
        endBeat = startBeat + 1.0f;
    }
    for (const auto& [key, entry] : value.get("control_points").entries())
        variables[key] = listFromJson(entry);
}

void Event::readBinary(BinaryReader& stream) {
    type = stream.readU8();
    const uint64_t count = stream.readCount(minVariableBytes);
    for (uint64_t i = 0; i < count; ++i) {
        std::string key = readCompressedString(stream);
        variables[std::move(key)] = listFromBinary(stream);
    }
    if (!hasKnownType())
        return;
    visible = stream.readFlag();
    referenceId = stream.readObjectId();
    startBeat = stream.readF32();
    endBeat = type == AudioSampleEvent ? startBeat + 1.0f : stream.readF32();
    name = readCompressedString(stream);
}
