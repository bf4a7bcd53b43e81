// The interface of every persistent class of a project: its JSON form (in the
// project's JSON file) and its binary record (the .demo file and exported
// players). The operations are declared in the order every implementation
// lists them.
#pragma once

#include "project/JsonValue.h"

class BinaryReader;
class BinaryWriter;

class ISerializable {
public:
    // `projectForm` true: resources are written to their own files and the JSON
    // keeps their file names; false: everything is inline. Passed unchanged to
    // nested objects.
    virtual JsonValue toJson(bool projectForm) const = 0;
    // Appends the object's binary record; references are written as ObjectIds.
    virtual void writeBinary(BinaryWriter& stream) const = 0;
    virtual void fromJson(const JsonValue& value) = 0;
    // Reads the record at the stream's position; references are left as raw
    // ObjectIds for the project root to resolve once every object exists. May
    // throw CodecError on damaged input.
    virtual void readBinary(BinaryReader& stream) = 0;
    virtual ~ISerializable() = default;

protected:
    ISerializable() = default;
    ISerializable(const ISerializable&) = default;
    ISerializable(ISerializable&&) = default;
    ISerializable& operator=(const ISerializable&) = default;
    ISerializable& operator=(ISerializable&&) = default;
};
