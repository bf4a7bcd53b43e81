#include "render/RenderCache.h"

#include "project/ConsoleLog.h"
#include "project/MediaLimits.h"
#include "render/EffectRenderer.h"
#include "render/Gl.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {

// The effects some effect takes as an input, found in one pass over all inputs.
std::unordered_set<const Effect*> inputEffects(const Demo& demo) {
    std::unordered_set<const Effect*> inputs;
    for (const auto& user : demo.effects)
        inputs.insert(user->effects.begin(), user->effects.end());
    return inputs;
}

} // namespace

void RenderCache::build(const Demo& demo, ScreenSize screen) {
    for (const auto& shader : demo.shaders)
        program(*shader);
    for (const auto& texture : demo.textures)
        image(*texture);
    for (const auto& font : demo.fonts)
        this->font(*font);
    for (const auto& fontTexture : demo.font_textures)
        text(*fontTexture);
    soundTexture();
    const std::unordered_set<const Effect*> inputs = inputEffects(demo);
    for (const auto& effect : demo.effects) {
        const bool input = inputs.contains(effect.get());
        if (effect->feedback || effect->screenTexture || input)
            this->effect(*effect).ensureCaptureTarget(screen);
        if (input && samplesOwnOutput(*effect))
            this->effect(*effect).ensureSpare(screen);
        if (effect->screenTexture)
            scene_.prepare(screen);
    }
}

CompiledProgram& RenderCache::program(const ShaderProgram& program) {
    if (&program == heldProgram_)
        if (CompiledProgram* built = programs_.find(program)) {
            built->followUniformDefs(program);
            return *built;
        }
    return programs_.get(program, [&](CompiledProgram& compiled) { compiled.build(program); });
}

void RenderCache::compileForLog(const ShaderProgram& program) {
    CompiledProgram* built = programs_.find(program);
    if (&program == heldProgram_ && built)
        built->compileForLog(program);
    else
        this->program(program);
}

EffectTargets& RenderCache::effect(const Effect& effect) {
    return effects_.get(effect, [](EffectTargets& targets) { targets.reset(); });
}

ImageTexture& RenderCache::image(const Texture& texture) {
    return images_.get(texture, [&](ImageTexture& image) {
        note(texture.name, image.loadImage(texture.imageBuffer->data, imageSideLimit()));
    });
}

OpenFont& RenderCache::font(const Font& font) {
    return fonts_.get(font, [&](OpenFont& open) { note(font.name, open.openFont(font)); });
}

TextTexture& RenderCache::text(const FontTexture& fontTexture) {
    const FontFace* face = fontTexture.font ? &font(*fontTexture.font).face : nullptr;
    TextTexture& text = texts_.get(fontTexture, [&](TextTexture& made) {
        note(fontTexture.name, made.createSurfaceAndTexture(fontTexture.width, fontTexture.height));
        made.renderAgain(face, fontTexture.center);
    });
    text.useFontState(fontTexture.font ? fontTexture.font->edits.value() : 0);
    return text;
}

SoundTexture& RenderCache::soundTexture() {
    if (!soundTexture_)
        soundTexture_ = std::make_unique<SoundTexture>();
    return *soundTexture_;
}

void RenderCache::release(const ObjectRef& object) {
    if (const auto* effect = std::get_if<const Effect*>(&object))
        effects_.release(*effect);
    else if (const auto* program = std::get_if<const ShaderProgram*>(&object))
        programs_.release(*program);
    else if (const auto* texture = std::get_if<const Texture*>(&object))
        images_.release(*texture);
    else if (const auto* font = std::get_if<const Font*>(&object))
        fonts_.release(*font);
    else if (const auto* text = std::get_if<const FontTexture*>(&object))
        texts_.release(*text);
}

std::vector<std::string> RenderCache::takeProblems() { return std::exchange(problems_, {}); }

void RenderCache::note(const std::string& name, std::optional<std::string> problem) {
    if (!problem)
        return;
    problems_.push_back(name + ": " + *problem);
    logLine(problems_.back());
}

int RenderCache::imageSideLimit() {
    if (imageSideLimit_ == 0) {
        GLint glLimit = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glLimit);
        // Larger images cost gigabytes whatever the GL allows, and no screen shows them.
        imageSideLimit_ = static_cast<int>(glLimit > 0 ? std::min<int64_t>(glLimit, maxImageSide) : maxImageSide);
    }
    return imageSideLimit_;
}
