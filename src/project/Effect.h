// An effect is one full-screen render pass as the project stores it: the shader
// program it draws with and its inputs, bound to consecutive texture units.
//
// Unit order, which shaders rely on: the effect's own previous output (feedback),
// image textures, font textures, input effects' outputs, then a copy of the screen
// so far. The render passes (render/EffectPass.h) draw it.
#pragma once

#include "project/EditMark.h"
#include "project/ISerializable.h"
#include "project/ObjectId.h"

#include <cstddef>
#include <string>
#include <vector>

class FontTexture;
class ShaderProgram;
class Texture;

// The tokens of an effect's references as read from a binary project, kept until
// the project has read every object and can look them up.
struct EffectReferenceIds {
    std::vector<ObjectId> textures;
    std::vector<ObjectId> effects;
    std::vector<ObjectId> fontTextures;
    ObjectId program = ObjectId::Null;
};

class Effect : public ISerializable {
public:
    std::vector<Texture*> textures;         // image inputs, not owned
    std::vector<Effect*> effects;           // input effects, not owned
    std::vector<FontTexture*> fontTextures; // text inputs, not owned
    ShaderProgram* program = nullptr;       // not owned; without a linked one the effect draws nothing
    std::string name;
    bool feedback = false;           // unit 0 shows the effect's previous output
    bool screenTexture = false;      // the last unit shows the screen drawn so far
    EffectReferenceIds referenceIds; // filled by readBinary only
    EditMark edits;                  // identifies the effect to the render cache

    Effect() = default;
    Effect(std::string name, ShaderProgram* program, Texture* firstTexture, Effect* firstInput, bool feedback,
           bool screenTexture);

    // References by name: "textures", "effects", "font_textures", "program" (the
    // program's fragment shader file name); `projectForm` makes no difference.
    JsonValue toJson(bool projectForm) const override;
    // The least its record takes: three reference counts, the program's token, the name's
    // length and the two flags.
    static constexpr size_t minBinaryBytes = 3 * 8 + 8 + 8 + 2;
    void writeBinary(BinaryWriter& stream) const override;
    // Reads "name", "feedback" and "screen_texture"; the project resolves the references.
    void fromJson(const JsonValue& value) override;
    // Keeps the references' tokens in `referenceIds` for the project to resolve.
    void readBinary(BinaryReader& stream) override;
};
