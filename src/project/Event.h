// An event places one thing on the beat timeline: an effect drawn while it is
// active, an audio sample started when it is reached, or a group of events
// replayed shifted in time. Its variables are named curves of control points
// that drive shader uniforms and texts.
//
// Nothing here draws: these are the timeline's numbers, testable without a display.
#pragma once

#include "project/ControlPointList.h"
#include "project/ISerializable.h"
#include "project/ObjectId.h"
#include "project/OverrideKey.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class AudioSample;
class Effect;
class EventGroup;

// Stored as a 32-bit integer; other values are kept and saved but do nothing.
enum EventType : int32_t {
    EffectEvent = 1,      // draws `effect`
    AudioSampleEvent = 2, // starts `audioSample`
    GroupEvent = 3,       // replays `group`
};

class Event : public ISerializable {
public:
    int32_t type = EffectEvent;         // an EventType, or any value read from a file
    Effect* effect = nullptr;           // not owned; used by effect events
    AudioSample* audioSample = nullptr; // not owned; used by audio-sample events
    float startBeat = 0.0f;             // first beat at which the event is active
    float endBeat = 0.0f;               // beat at which it stops being active
    std::string name;                   // identity in group references and override keys
    // Byte-wise ordered: the order of saving.
    std::map<std::string, ControlPointList, std::less<>> variables;
    EventGroup* group = nullptr;           // not owned; used by group events
    bool visible = true;                   // only top-level dispatch looks at it
    ObjectId referenceId = ObjectId::Null; // the reference's token, read from a binary project until resolved

    // The variable stored under `key`, created empty (Linear, no repeat) when missing.
    ControlPointList& variable(std::string_view key);
    // The variable stored under `key`, or null; nothing is created.
    const ControlPointList* findVariable(std::string_view key) const;
    // This group event's override of a member's variable, or null; nothing is created.
    const ControlPointList* findOverride(std::string_view member, std::string_view variableName) const;

    // Value of `list` at the absolute `beat`, against this event's range. 0 outside
    // the event (both ends inside), for an empty list, and before the first point.
    float evaluate(const ControlPointList& list, float beat) const;

    // Text of the text variable `key` at the absolute `beat`, typed out at
    // `charsPerBeat` within each segment (-1 shows whole texts at once). The view is
    // valid until the variable's points change. Nothing is created.
    std::string_view textAtBeat(std::string_view key, float beat, int32_t charsPerBeat) const;
    // The same for a list that need not be this event's (a group event's override).
    std::string_view textOf(const ControlPointList& list, float beat, int32_t charsPerBeat) const;

    // The reference is written by name ("effect", "audio_sample" or "group"), or
    // as "" when it is null. Events of other types keep only their type and name.
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the type byte and the variable count.
    static constexpr size_t minBinaryBytes = 1 + 8;
    // Types 1 to 3 store visibility, reference, beats and name after the
    // variables; other types store only their type and variables. Throws
    // SaveError for a type outside 0 to 255, which the record's one byte cannot hold.
    void writeBinary(BinaryWriter& stream) const override;
    // The project resolves the reference name afterwards.
    void fromJson(const JsonValue& value) override;
    // Keeps the reference's token in `referenceId`.
    void readBinary(BinaryReader& stream) override;

    // True for the types whose records carry visibility, a reference, beats and a name.
    bool hasKnownType() const { return type == EffectEvent || type == AudioSampleEvent || type == GroupEvent; }
};
