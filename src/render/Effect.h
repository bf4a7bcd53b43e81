// An effect is one full-screen render pass: a shader program drawn over the whole
// window as two triangles, with its inputs bound to consecutive texture units.
//
// Unit order, which shaders rely on: the effect's own previous output (feedback),
// image textures, font textures, input effects' outputs, then a copy of the screen
// so far. Passes draw into the current framebuffer (the window's back buffer); an
// effect whose result is needed as a texture copies it into its output texture on
// the GPU.
#pragma once

#include "project/ISerializable.h"
#include "project/ObjectId.h"

#include <cstdint>
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
    bool feedback = false;      // unit 0 shows the effect's previous output
    bool screenTexture = false; // the last unit shows the screen drawn so far
    uint32_t vertexBuffer = 0;
    uint32_t vertexArray = 0;
    uint32_t outputTexture = 0;      // the last captured image, screen-sized; 0 until needed
    uint32_t captureFramebuffer = 0; // framebuffer over outputTexture, target of captures
    EffectReferenceIds referenceIds; // filled by readBinary only

    Effect() = default;
    Effect(std::string name, ShaderProgram* program, Texture* firstTexture, Effect* firstInput, bool feedback,
           bool screenTexture);
    ~Effect() override;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    // Builds the full-screen quad, its position attribute bound to the program's "vp".
    void initGeometry();
    // Puts the program in use and binds the inputs from unit 0; with `renderInputs`
    // the input effects are first rendered into their output textures. Returns the
    // number of units bound.
    unsigned bindInputs(bool renderInputs);
    // Sets beat, sound, samplers, resolution and camera on the program in use.
    void setBuiltinUniforms();
    // Creates the output texture (zero-filled) and its framebuffer once.
    void ensureCaptureTarget();
    // Copies everything drawn into the current framebuffer so far into the output texture.
    void captureScreen();
    // Binds the inputs, draws the quad and unbinds the units it used.
    void drawPass(bool renderInputs);
    // Draws the full-screen quad with the program in use.
    void drawQuad();

    // True when the effect has a linked program to draw with.
    bool canDraw() const;

    // References by name: "textures", "effects", "font_textures", "program" (the
    // program's fragment shader file name); `projectForm` makes no difference.
    JsonValue toJson(bool projectForm) const override;
    void writeBinary(BinaryWriter& stream) const override;
    // Reads "name", "feedback" and "screen_texture"; the project resolves the references.
    void fromJson(const JsonValue& value) override;
    // Keeps the references' tokens in `referenceIds` for the project to resolve.
    void readBinary(BinaryReader& stream) override;

private:
    // Set while this effect renders its inputs: an input cycle leading back here is cut.
    bool renderingInputs_ = false;
    // The "vp" location the quad was set up for; the program may relink to another.
    int32_t geometryLocation_ = -1;
};

// Renders `effect`, after its own inputs, into its output texture; its author
// uniforms take their defaults.
void renderInputPass(Effect& effect);

// Binds no texture to units 0 to count - 1.
void unbindTextureUnits(unsigned count);
