// A named sequence of events replayed together by group events. The group does
// not own its members: they are events of the project's list.
#pragma once

#include "project/ISerializable.h"
#include "project/ObjectId.h"

#include <cstddef>
#include <string>
#include <vector>

class Event;

class EventGroup : public ISerializable {
public:
    std::string name;
    std::vector<Event*> events;      // members; the earliest start beat is the group's time origin
    std::vector<ObjectId> memberIds; // the members' tokens, read from a binary project until resolved

    // "name" and "events", the members' names ("" for a null member).
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the name's length and the member count.
    static constexpr size_t minBinaryBytes = 8 + 8;
    void writeBinary(BinaryWriter& stream) const override;
    // Reads only the name: the project appends the members.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
