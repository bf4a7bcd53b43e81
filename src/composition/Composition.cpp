#include "composition/Composition.h"

#include "project/AudioSample.h"
#include "project/Demo.h"
#include "project/FontTexture.h"
#include "render/Gl.h"
#include "render/SoundTexture.h"

#include <algorithm>
#include <array>

namespace {

bool isActive(const Event& event, float beat) { return event.startBeat <= beat && beat < event.endBeat; }

// The group's time origin: its earliest member start. False when it has no members.
bool groupOrigin(const EventGroup& group, float& origin) {
    bool found = false;
    for (const Event* member : group.events) {
        if (member && (!found || member->startBeat < origin)) {
            origin = member->startBeat;
            found = true;
        }
    }
    return found;
}

// Catching up, only the input passes that later frames read run.
void prepareEffectEvent(EffectRenderer& renderer, const Event& event, float beat, const CarriedState* catchingUp) {
    if (!event.effect)
        return;
    updateFontTextures(renderer.cache(), event, beat, nullptr);
    for (const Effect* input : event.effect->effects)
        if (input && (!catchingUp || catchingUp->passes.contains(input)))
            renderer.renderInputPass(*input);
}

// Members are not range-tested: texts of members outside their own range are emptied.
void prepareGroupEvent(RenderCache& cache, const Event& event, float beat) {
    float origin = 0.0f;
    if (!event.group || !groupOrigin(*event.group, origin))
        return;
    for (Event* member : event.group->events)
        if (member && member->type == EffectEvent)
            updateFontTextures(cache, *member, beat - event.startBeat + origin, &event);
}

void prepareEvent(EffectRenderer& renderer, const Event& event, float beat, const CarriedState* catchingUp) {
    if (event.type == EffectEvent)
        prepareEffectEvent(renderer, event, beat, catchingUp);
    else if (event.type == GroupEvent)
        prepareGroupEvent(renderer.cache(), event, beat);
}

const Effect* renderEffectEvent(EffectRenderer& renderer, const Event& event, float beat, const Event* parent) {
    const Effect* effect = event.effect;
    if (!effect || !renderer.canDraw(*effect))
        return nullptr;
    const unsigned unitCount = renderer.bindInputs(*effect, false);
    const CompiledProgram& program = renderer.cache().program(*effect->program);
    const bool usesSoundTexture = program.builtins.soundTexture != -1;
    if (usesSoundTexture) {
        glActiveTexture(GL_TEXTURE0 + soundTextureUnit);
        glBindTexture(GL_TEXTURE_2D, renderer.cache().soundTexture().glTexture);
    }
    renderer.setBuiltinUniforms(program);
    applyVariables(event, program, beat, parent, renderer.frame().hold);
    renderer.drawQuad(*effect);
    unbindTextureUnits(unitCount);
    if (usesSoundTexture) {
        glActiveTexture(GL_TEXTURE0 + soundTextureUnit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    return effect;
}

// Calls `visit(member, memberBeat)` for each member a group event replays at
// `beat`, in group order, while `replaying` holds it.
template <typename Visit>
void forEachReplayedMember(ReplayStack& replaying, const Event& event, float beat, Visit&& visit) {
    float origin = 0.0f;
    if (!event.group || !groupOrigin(*event.group, origin))
        return;
    if (replaying.contains(&event) || replaying.full())
        return;
    replaying.push(&event);
    const float memberBeat = beat - event.startBeat + origin;
    for (Event* member : event.group->events)
        if (member && isActive(*member, memberBeat))
            visit(*member, memberBeat);
    replaying.pop();
}

const Effect* replayGroup(Composer& composer, const Event& event, float beat) {
    const Effect* top = nullptr;
    forEachReplayedMember(composer.replaying, event, beat, [&](const Event& member, float memberBeat) {
        if (const Effect* drawn = render(composer, member, memberBeat, &event))
            top = drawn;
    });
    return top;
}

// The screen captures `event` takes when it draws at `beat`, counted as render() draws.
int screenCaptures(Composer& composer, const Event& event, float beat) {
    EffectRenderer& renderer = composer.renderer;
    if (event.type == EffectEvent)
        return event.effect && event.effect->screenTexture && renderer.canDraw(*event.effect) ? 1 : 0;
    int captures = 0;
    if (event.type == GroupEvent)
        forEachReplayedMember(composer.replaying, event, beat, [&](const Event& member, float memberBeat) {
            captures += screenCaptures(composer, member, memberBeat);
        });
    return captures;
}

// Draws what the input passes left behind, as the frame would hold it had they
// drawn into it: the picture the last of them drew.
void showInputPasses(const EffectRenderer& renderer, uint32_t target, ScreenSize size) {
    if (const EffectTargets* last = renderer.lastInputPass())
        copyColourTarget(last->output, target, size);
}

// Composes the frame; or, `catchingUp`, only what later frames read of it: the
// texts, the samples started and the carried input passes, with no layer drawn.
const Effect* compose(const Demo& demo, RenderCache& cache, SamplePlayer& samples, const FrameContext& frame,
                      const CarriedState* catchingUp) {
    Composer composer(demo, cache, samples, frame);
    composer.drawing = !catchingUp;
    const bool drawsPasses = !catchingUp || !catchingUp->passes.empty();
    GLint shownIn = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &shownIn);
    // Captures need the picture so far in a texture: until the last of them the
    // frame is composed offscreen.
    int captures = 0;
    for (const auto& event : demo.events)
        if (isActive(*event, frame.beat) && event->visible)
            captures += screenCaptures(composer, *event, frame.beat);
    if (captures > 0 && drawsPasses)
        cache.scene().begin(frame.screen, captures, static_cast<uint32_t>(shownIn));
    const uint32_t layersTarget = captures > 0 ? cache.scene().framebuffer() : static_cast<uint32_t>(shownIn);

    if (!catchingUp)
        cache.soundTexture().upload(frame.soundRows);
    for (const auto& event : demo.events)
        if (isActive(*event, frame.beat))
            prepareEvent(composer.renderer, *event, frame.beat, catchingUp);
    if (!catchingUp)
        showInputPasses(composer.renderer, layersTarget, frame.screen);

    const Effect* top = nullptr;
    for (const auto& event : demo.events) {
        if (!isActive(*event, frame.beat) || !event->visible)
            continue;
        if (const Effect* drawn = render(composer, *event, frame.beat, nullptr))
            top = drawn;
    }
    cache.scene().finish();
    return top;
}

} // namespace

const Effect* renderAt(const Demo& demo, RenderCache& cache, SamplePlayer& samples, const FrameContext& frame) {
    return compose(demo, cache, samples, frame, nullptr);
}

void catchUpAt(const Demo& demo, RenderCache& cache, SamplePlayer& samples, const FrameContext& frame,
               const CarriedState& carried) {
    compose(demo, cache, samples, frame, &carried);
}

const Effect* render(Composer& composer, const Event& event, float beat, const Event* parent) {
    switch (event.type) {
    case EffectEvent:
        return composer.drawing ? renderEffectEvent(composer.renderer, event, beat, parent) : nullptr;
    case AudioSampleEvent:
        // Started once when reached; again only after it has played out.
        if (!composer.renderer.frame().paused && event.audioSample)
            composer.samples.play(*event.audioSample);
        return nullptr;
    case GroupEvent:
        return replayGroup(composer, event, beat);
    default:
        return nullptr;
    }
}

void applyVariables(const Event& event, const CompiledProgram& program, float beat, const Event* parent,
                    const VariableHold* hold) {
    const auto& uniforms = event.effect->program->uniformDefs;
    for (size_t i = 0; i < uniforms.size() && i < program.uniformLocations.size(); ++i) {
        const UniformDef* uniform = uniforms[i].get();
        if (program.uniformLocations[i] == -1)
            continue;
        float value = uniform->defaultVal;
        if (beat >= event.startBeat && beat <= event.endBeat) {
            // A group event holds the variables it overrides, by their override keys.
            const std::optional<float> held =
                hold ? (parent ? hold->heldValue(*parent, event.name + "." + uniform->name, *uniform)
                               : hold->heldValue(event, uniform->name, *uniform))
                     : std::nullopt;
            const ControlPointList* override = parent ? parent->findOverride(event.name, uniform->name) : nullptr;
            if (held) {
                value = *held;
            } else if (override) {
                if (!override->points.empty())
                    value = parent->evaluate(*override, beat - event.startBeat + parent->startBeat);
            } else if (const ControlPointList* own = event.findVariable(uniform->name)) {
                if (!own->points.empty())
                    value = event.evaluate(*own, beat);
            }
        }
        glUniform1f(program.uniformLocations[i], value);
    }
}

void warmUpEffect(EffectRenderer& renderer, const Effect& effect) { renderer.drawPass(effect, false); }

void updateFontTextures(RenderCache& cache, const Event& event, float beat, const Event* group) {
    if (!event.effect)
        return;
    for (const FontTexture* fontTexture : event.effect->fontTextures) {
        if (!fontTexture)
            continue;
        TextTexture& text = cache.text(*fontTexture);
        const FontFace* font = fontTexture->font ? &cache.font(*fontTexture->font).face : nullptr;
        if (beat < event.startBeat || beat > event.endBeat) {
            text.setText({}, font, fontTexture->center);
            continue;
        }
        std::string_view shown;
        const ControlPointList* override = group ? group->findOverride(event.name, fontTexture->name) : nullptr;
        if (override) {
            if (!override->points.empty())
                shown = group->textOf(*override, beat - event.startBeat + group->startBeat, fontTexture->charsPerBeat);
        } else if (const ControlPointList* own = event.findVariable(fontTexture->name)) {
            if (!own->points.empty())
                shown = event.textOf(*own, beat, fontTexture->charsPerBeat);
        }
        text.setText(shown, font, fontTexture->center);
    }
}
