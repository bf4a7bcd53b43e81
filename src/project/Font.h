// A TrueType font embedded in the project at one point size. Font textures
// render their texts with it; the render cache opens it.
#pragma once

#include "project/ByteBuffer.h"
#include "project/EditMark.h"
#include "project/ISerializable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Larger sizes make glyphs of absurd memory; a project asking for one is damaged.
constexpr int32_t maxPointSize = 1000;

class Font : public ISerializable {
public:
    std::string name;     // "<path> (<size> pt)" at import; its reference name
    std::string filename; // the font file's path
    std::unique_ptr<ByteBuffer> fontBuffer = std::make_unique<ByteBuffer>();
    int32_t ptsize = 0; // opened only between 1 and maxPointSize
    EditMark edits;     // touched when the bytes or the size change

    Font() = default;
    // Imported from the file at `path`. Throws LoadError when it cannot be read.
    Font(const std::string& path, int32_t pointSize);

    // With `projectForm` the object holds no "font_buffer" (the bytes are among
    // the project's resource files).
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: the name's and the file name's lengths, the point size
    // and the file's size.
    static constexpr size_t minBinaryBytes = 8 + 8 + 4 + 8;
    void writeBinary(BinaryWriter& stream) const override;
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
