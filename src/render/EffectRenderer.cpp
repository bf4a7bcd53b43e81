#include "render/EffectRenderer.h"

#include "render/Gl.h"
#include "render/SoundTexture.h"

#include <algorithm>

namespace {

void bindToUnit(unsigned unit, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

} // namespace

bool EffectRenderer::canDraw(const Effect& effect) { return effect.program && cache_.program(*effect.program).linked; }

unsigned EffectRenderer::bindInputs(const Effect& effect, bool renderInputs) {
    if (!canDraw(effect))
        return 0;
    EffectTargets& targets = cache_.effect(effect);
    if (renderInputs) {
        targets.renderingInputs = true;
        for (const Effect* input : effect.effects)
            if (input && !cache_.effect(*input).renderingInputs)
                renderInputPass(*input);
        targets.renderingInputs = false;
    }
    if (effect.feedback || effect.screenTexture)
        targets.ensureCaptureTarget(frame_.screen);
    // A layer drawn while the frame is composed offscreen takes the picture so far
    // from there, before its units are bound: with feedback, unit 0 shows it too.
    const bool screenFromScene = effect.screenTexture && inputPassDepth_ == 0 && cache_.scene().composing();
    if (screenFromScene)
        cache_.scene().passCapture(targets.output);
    makeInputTextures(effect);
    glUseProgram(cache_.program(*effect.program).programObject);

    // A null reference still takes its unit, so the units after it stay where the
    // shader expects them.
    unsigned unit = 0;
    if (effect.feedback)
        bindToUnit(unit++, targets.output.texture);
    for (const Texture* texture : effect.textures)
        bindToUnit(unit++, texture ? cache_.image(*texture).glTexture : 0);
    for (const FontTexture* text : effect.fontTextures)
        bindToUnit(unit++, text ? cache_.text(*text).glTexture : 0);
    for (const Effect* input : effect.effects)
        bindToUnit(unit++, input ? cache_.effect(*input).output.texture : 0);
    if (effect.screenTexture) {
        glActiveTexture(GL_TEXTURE0 + unit);
        if (!screenFromScene)
            targets.captureScreen(frame_.screen);
        bindToUnit(unit++, targets.output.texture);
    }
    return unit;
}

void EffectRenderer::makeInputTextures(const Effect& effect) {
    for (const Texture* texture : effect.textures)
        if (texture)
            cache_.image(*texture);
    for (const FontTexture* text : effect.fontTextures)
        if (text)
            cache_.text(*text);
}

void EffectRenderer::setBuiltinUniforms(const CompiledProgram& program) {
    const BuiltinUniformLocations& at = program.builtins;
    if (at.beat != -1)
        glUniform1f(at.beat, frame_.beat);
    if (at.sound != -1)
        glUniform1i(at.sound, frame_.soundLevel);
    if (at.soundTexture != -1)
        glUniform1i(at.soundTexture, soundTextureUnit);
    for (GLint unit = 0; unit < samplerUnitCount; ++unit)
        if (at.tex[unit] != -1)
            glUniform1i(at.tex[unit], unit);
    if (at.resolution != -1)
        glUniform2f(at.resolution, static_cast<float>(frame_.screen.width), static_cast<float>(frame_.screen.height));
    const Camera& camera = frame_.camera;
    if (at.cameraPosition != -1)
        glUniform3f(at.cameraPosition, camera.position[0], camera.position[1], camera.position[2]);
    if (at.cameraRotation != -1)
        glUniform3f(at.cameraRotation, camera.rotation[0], camera.rotation[1], camera.rotation[2]);
}

void EffectRenderer::drawPass(const Effect& effect, bool renderInputs) {
    if (!canDraw(effect))
        return;
    const unsigned unitCount = bindInputs(effect, renderInputs);
    setBuiltinUniforms(cache_.program(*effect.program));
    drawQuad(effect);
    unbindTextureUnits(unitCount);
}

void EffectRenderer::drawQuad(const Effect& effect) {
    cache_.effect(effect).drawQuad(cache_.program(*effect.program).builtins.vp);
}

void EffectRenderer::renderInputPass(const Effect& effect) {
    if (!canDraw(effect))
        return;
    ++inputPassDepth_;
    const unsigned unitCount = bindInputs(effect, true);
    --inputPassDepth_;
    // Defaults, so an input never shows values an event last set on a shared program.
    const CompiledProgram& program = cache_.program(*effect.program);
    program.setUniformDefaults(*effect.program);
    setBuiltinUniforms(program);

    // Straight into the output texture: the frame being composed stays as it was.
    GLint frameFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &frameFramebuffer);
    EffectTargets& targets = cache_.effect(effect);
    targets.beginPass(frame_.screen, samplesOwnOutput(effect));
    drawQuad(effect);
    targets.endPass();
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(frameFramebuffer));
    unbindTextureUnits(unitCount);
    lastInputPass_ = &targets;
}

bool samplesOwnOutput(const Effect& effect) {
    return effect.feedback || effect.screenTexture ||
           std::find(effect.effects.begin(), effect.effects.end(), &effect) != effect.effects.end();
}

void unbindTextureUnits(unsigned count) {
    for (unsigned unit = 0; unit < count; ++unit)
        bindToUnit(unit, 0);
}
