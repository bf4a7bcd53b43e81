#include "project/UniformDef.h"

#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"

JsonValue UniformDef::toJson(bool) const {
    return JsonValue::makeObject(
        {{"name", name}, {"min_val", minVal}, {"max_val", maxVal}, {"default_val", defaultVal}});
}

void UniformDef::writeBinary(BinaryWriter& stream) const {
    writeCompressedString(stream, name);
    stream.writeF32(minVal);
    stream.writeF32(maxVal);
    stream.writeF32(defaultVal);
}

void UniformDef::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    minVal = static_cast<float>(value.get("min_val").asFloat());
    maxVal = static_cast<float>(value.get("max_val").asFloat());
    defaultVal = static_cast<float>(value.get("default_val").asFloat());
}

void UniformDef::readBinary(BinaryReader& stream) {
    name = readCompressedString(stream);
    minVal = stream.readF32();
    maxVal = stream.readF32();
    defaultVal = stream.readF32();
}
