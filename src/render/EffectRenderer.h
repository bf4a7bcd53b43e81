// Draws effects as full-screen passes into the current framebuffer, with the GL
// objects of a render cache and the values of one frame.
//
// Inputs are bound to consecutive units from 0 in the order the effect lists
// them (see project/Effect.h). An input effect draws straight into its output
// texture; a screen capture takes the picture drawn so far, from the scene
// framebuffer while the frame is composed there, else by a copy on the GPU.
#pragma once

#include "project/Effect.h"
#include "render/FrameContext.h"
#include "render/RenderCache.h"

class EffectRenderer {
public:
    // Keeps `frame` by reference, so a test or the shell may change it between passes.
    EffectRenderer(RenderCache& cache, const FrameContext& frame) : cache_(cache), frame_(frame) {}
    EffectRenderer(RenderCache& cache, const FrameContext&& frame) = delete;

    // True when the effect has a linked program to draw with.
    bool canDraw(const Effect& effect);
    // Puts the program in use and binds the inputs from unit 0; with `renderInputs`
    // the input effects are first rendered into their output textures. Returns the
    // number of units bound.
    unsigned bindInputs(const Effect& effect, bool renderInputs);
    // Sets beat, sound, samplers, resolution and camera on the program in use.
    void setBuiltinUniforms(const CompiledProgram& program);
    // Binds the inputs, draws the quad and unbinds the units it used.
    void drawPass(const Effect& effect, bool renderInputs);
    // Draws the full-screen quad with the program in use.
    void drawQuad(const Effect& effect);
    // Renders `effect`, after its own inputs, into its output texture over the
    // cleared frame; its author uniforms take their defaults. The frame being
    // composed is left as it was.
    void renderInputPass(const Effect& effect);
    // The targets of the input pass drawn last, or null when none was.
    const EffectTargets* lastInputPass() const { return lastInputPass_; }

    RenderCache& cache() { return cache_; }
    const FrameContext& frame() const { return frame_; }

private:
    // Creating a texture unbinds the active unit: every input texture is made
    // before the first unit is bound, so no creation undoes a binding.
    void makeInputTextures(const Effect& effect);

    RenderCache& cache_;
    const FrameContext& frame_;
    const EffectTargets* lastInputPass_ = nullptr;
    int inputPassDepth_ = 0; // input passes take screen captures by copy
};

// True when the effect's input pass samples its own output: feedback, a screen
// capture (taken into the output) or itself as an input.
bool samplesOwnOutput(const Effect& effect);

// Binds no texture to units 0 to count - 1.
void unbindTextureUnits(unsigned count);
