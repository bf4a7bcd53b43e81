// A TrueType font embedded in the project at one point size, opened through
// SDL2_ttf. Font textures render their texts with it.
#pragma once

#include "project/ByteBuffer.h"
#include "project/ISerializable.h"

#include <SDL_ttf.h>

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
    int32_t ptsize = 0;             // opened only between 1 and maxPointSize
    uint32_t glyphAtlasTexture = 0; // 320 × 240 preview of the printable ASCII glyphs
    TTF_Font* ttfFont = nullptr;    // null when the bytes are not a font the library opens

    Font() = default;
    // Imported from the file at `path` and opened. Throws LoadError when it cannot be read.
    Font(const std::string& path, int32_t pointSize);
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Opens the embedded bytes at `ptsize` and builds the glyph atlas.
    void openFont();

    // With `projectForm` the font bytes are first written to `filename` and the
    // object holds no "font_buffer".
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // Not opened: the project opens every font once all are read.
    void fromJson(const JsonValue& value) override;
    void readBinary(BinaryReader& stream) override;
};
