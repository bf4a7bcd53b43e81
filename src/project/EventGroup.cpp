#include "project/EventGroup.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/Event.h"

JsonValue EventGroup::toJson(bool) const {
    JsonValue members = JsonValue::makeArray();
    for (const Event* member : events)
        members.append(member ? member->name : std::string());
    return JsonValue::makeObject({{"name", name}, {"events", std::move(members)}});
}

void EventGroup::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    stream.writeCount(events.size());
    for (const Event* member : events)
        stream.writeReference(member);
}

void EventGroup::fromJson(const JsonValue& value) { name = value.get("name").asString(); }

void EventGroup::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    memberIds.resize(stream.readCount(8));
    for (ObjectId& id : memberIds)
        id = stream.readObjectId();
}
