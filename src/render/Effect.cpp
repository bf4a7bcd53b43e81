#include "render/Effect.h"

#include "app/BeatClock.h"
#include "audio/SoundAnalysis.h"
#include "project/BinaryReader.h"
#include "project/BinaryWriter.h"
#include "project/CompressedString.h"
#include "project/RuntimeResources.h"
#include "render/Camera.h"
#include "render/FontTexture.h"
#include "render/GlTexture.h"
#include "render/ScreenSize.h"
#include "render/ShaderProgram.h"
#include "render/SoundTexture.h"
#include "render/Texture.h"

#include <GL/glew.h>

#include <vector>

namespace {

// Two triangles covering clip space, as (x, y, z) positions of "vp".
constexpr float fullScreenQuad[18] = {-1, -1, 0, -1, 1, 0, 1, 1, 0, 1, 1, 0, 1, -1, 0, -1, -1, 0};

void bindToUnit(unsigned unit, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

} // namespace

Effect::Effect(std::string effectName, ShaderProgram* effectProgram, Texture* firstTexture, Effect* firstInput,
               bool withFeedback, bool withScreenTexture)
    : program(effectProgram), name(std::move(effectName)), feedback(withFeedback), screenTexture(withScreenTexture) {
    if (firstTexture)
        textures.push_back(firstTexture);
    if (firstInput)
        effects.push_back(firstInput);
    if (program)
        initGeometry();
}

Effect::~Effect() {
    // Effects read from a file before any drawing own no GL objects, and there may be no GL.
    if (outputTexture != 0) {
        glDeleteFramebuffers(1, &captureFramebuffer);
        glDeleteTextures(1, &outputTexture);
    }
    if (vertexArray != 0) {
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
    }
}

void Effect::initGeometry() {
    if (!runtimeResourcesEnabled() || !program)
        return;
    if (vertexArray == 0) {
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(1, &vertexBuffer);
    }
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof fullScreenQuad, fullScreenQuad, GL_STATIC_DRAW);
    const GLint position = program->builtins.vp;
    geometryLocation_ = position;
    if (position >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(position));
        glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
}

bool Effect::canDraw() const { return program && program->linked; }

unsigned Effect::bindInputs(bool renderInputs) {
    if (!canDraw())
        return 0;
    if (renderInputs) {
        renderingInputs_ = true;
        for (Effect* input : effects)
            if (input && !input->renderingInputs_)
                renderInputPass(*input);
        renderingInputs_ = false;
    }
    if (feedback)
        ensureCaptureTarget();
    glUseProgram(program->programObject);

    // A null reference still takes its unit, so the units after it stay where the
    // shader expects them.
    unsigned unit = 0;
    if (feedback)
        bindToUnit(unit++, outputTexture);
    for (const Texture* texture : textures)
        bindToUnit(unit++, texture ? texture->glTexture : 0);
    for (const FontTexture* text : fontTextures)
        bindToUnit(unit++, text ? text->glTexture : 0);
    for (const Effect* input : effects)
        bindToUnit(unit++, input ? input->outputTexture : 0);
    if (screenTexture) {
        glActiveTexture(GL_TEXTURE0 + unit);
        captureScreen();
        bindToUnit(unit++, outputTexture);
    }
    return unit;
}

void Effect::setBuiltinUniforms() {
    const BuiltinUniformLocations& at = program->builtins;
    if (at.beat != -1)
        glUniform1f(at.beat, beatClock.currentBeat);
    if (at.sound != -1)
        glUniform1i(at.sound, soundLevel());
    if (at.soundTexture != -1)
        glUniform1i(at.soundTexture, soundTextureUnit);
    for (GLint unit = 0; unit < samplerUnitCount; ++unit)
        if (at.tex[unit] != -1)
            glUniform1i(at.tex[unit], unit);
    if (at.resolution != -1)
        glUniform2f(at.resolution, static_cast<float>(screenSize.width), static_cast<float>(screenSize.height));
    if (at.cameraPosition != -1)
        glUniform3f(at.cameraPosition, cameraPosition[0], cameraPosition[1], cameraPosition[2]);
    if (at.cameraRotation != -1)
        glUniform3f(at.cameraRotation, cameraRotation[0], cameraRotation[1], cameraRotation[2]);
}

void Effect::ensureCaptureTarget() {
    if (outputTexture != 0)
        return;
    const std::vector<uint8_t> zeros(static_cast<size_t>(screenSize.width) * static_cast<size_t>(screenSize.height) *
                                     4);
    outputTexture = createRgbaTexture(screenSize.width, screenSize.height, zeros.data(), wrapClamp);

    GLint drawFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGenFramebuffers(1, &captureFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, captureFramebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, outputTexture, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
}

void Effect::captureScreen() {
    ensureCaptureTarget();
    GLint drawFramebuffer = 0;
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);

    // The source is whatever the passes draw into: the window's back buffer, or a
    // framebuffer someone draws the demo into.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
    glReadBuffer(drawFramebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, captureFramebuffer);
    const int width = screenSize.width;
    const int height = screenSize.height;
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
}

void Effect::drawPass(bool renderInputs) {
    if (!canDraw())
        return;
    const unsigned unitCount = bindInputs(renderInputs);
    setBuiltinUniforms();
    drawQuad();
    unbindTextureUnits(unitCount);
}

void Effect::drawQuad() {
    if (program->builtins.vp != geometryLocation_)
        initGeometry();
    glBindVertexArray(vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void renderInputPass(Effect& effect) {
    if (!effect.canDraw())
        return;
    // Defaults, so an input never shows values an event last set on a shared program.
    const unsigned unitCount = effect.bindInputs(true);
    effect.program->setUniformDefaults();
    effect.setBuiltinUniforms();
    effect.drawQuad();
    unbindTextureUnits(unitCount);
    effect.captureScreen();
}

void unbindTextureUnits(unsigned count) {
    for (unsigned unit = 0; unit < count; ++unit)
        bindToUnit(unit, 0);
}

namespace {

template <typename T, typename NameOf> JsonValue namesOf(const std::vector<T*>& objects, NameOf nameOf) {
    JsonValue names = JsonValue::makeArray();
    for (const T* object : objects)
        names.append(object ? nameOf(*object) : std::string());
    return names;
}

template <typename T> void writeIds(BinaryWriter& stream, const std::vector<T*>& objects) {
    stream.writeCount(objects.size());
    for (const T* object : objects)
        stream.writeObjectId(object ? objectIdOf(object) : ObjectId::Null);
}

std::vector<ObjectId> readIds(BinaryReader& stream) {
    std::vector<ObjectId> ids(stream.readCount(8));
    for (ObjectId& id : ids)
        id = stream.readObjectId();
    return ids;
}

} // namespace

JsonValue Effect::toJson(bool) const {
    return JsonValue::makeObject(
        {{"name", name},
         {"textures", namesOf(textures, [](const Texture& texture) { return texture.name; })},
         {"effects", namesOf(effects, [](const Effect& effect) { return effect.name; })},
         {"font_textures", namesOf(fontTextures, [](const FontTexture& text) { return text.name; })},
         {"program", program ? program->fragmentShaderFilename : std::string()},
         {"feedback", feedback},
         {"screen_texture", screenTexture}});
}

void Effect::writeBinary(BinaryWriter& stream) const {
    writeIds(stream, textures);
    writeIds(stream, effects);
    writeIds(stream, fontTextures);
    stream.writeObjectId(program ? objectIdOf(program) : ObjectId::Null);
    writeCompressedString(stream, name);
    stream.writeFlag(feedback);
    stream.writeFlag(screenTexture);
}

void Effect::fromJson(const JsonValue& value) {
    name = value.get("name").asString();
    feedback = value.get("feedback").asBool();
    screenTexture = value.get("screen_texture").asBool();
}

void Effect::readBinary(BinaryReader& stream) {
    referenceIds.textures = readIds(stream);
    referenceIds.effects = readIds(stream);
    referenceIds.fontTextures = readIds(stream);
    referenceIds.program = stream.readObjectId();
    name = readCompressedString(stream);
    feedback = stream.readFlag();
    screenTexture = stream.readFlag();
}
