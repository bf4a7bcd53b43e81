// One author-declared float uniform of a fragment shader, with the range the
// editor offers and the value used when no automation drives it.
#pragma once

#include "project/ISerializable.h"

#include <string>

class UniformDef : public ISerializable {
public:
    std::string name;        // GLSL uniform name
    float minVal = 0.0f;     // lower end of the editor's range
    float maxVal = 1.0f;     // upper end of the editor's range
    float defaultVal = 0.0f; // value when no automation applies

    UniformDef() = default;

    // Keys "name", "min_val", "max_val", "default_val"; `projectForm` makes no difference.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
