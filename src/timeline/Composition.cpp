#include "timeline/Composition.h"

#include "audio/AudioSample.h"
#include "audio/SoundAnalysis.h"
#include "project/Demo.h"
#include "render/FontTexture.h"
#include "render/SoundTexture.h"

#include <GL/glew.h>

#include <algorithm>
#include <array>

namespace {

// Group events currently replaying their groups, innermost last. A group that
// contains the event replaying it, however deeply, is not replayed again; nesting
// beyond the capacity is cut too.
class ReplayStack {
public:
    bool contains(const Event* event) const {
        const auto end = events_.begin() + static_cast<std::ptrdiff_t>(depth_);
        return std::find(events_.begin(), end, event) != end;
    }
    bool full() const { return depth_ == events_.size(); }
    void push(const Event* event) { events_[depth_++] = event; }
    void pop() { --depth_; }

private:
    std::array<const Event*, 64> events_{};
    size_t depth_ = 0;
};

ReplayStack replaying;

bool isActive(const Event& event, float beat) { return event.startBeat <= beat && beat < event.endBeat; }

// Copies out of the window's back buffer are slow on some drivers, so projects whose
// effects capture are composed offscreen.
bool projectCaptures(const Demo& demo) {
    return std::any_of(demo.effects.begin(), demo.effects.end(),
                       [](const auto& effect) { return effect->screenTexture || !effect->effects.empty(); });
}

void uploadSoundTexture(const Texture& soundTexture) {
    glBindTexture(GL_TEXTURE_2D, soundTexture.glTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, soundTexture.width, soundTexture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 soundTextureBytes());
}

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

void prepareEffectEvent(Event& event, float beat) {
    if (!event.effect)
        return;
    updateFontTextures(event, beat, nullptr);
    for (Effect* input : event.effect->effects)
        if (input)
            renderInputPass(*input);
}

// Members are not range-tested: texts of members outside their own range are emptied.
void prepareGroupEvent(Event& event, float beat) {
    float origin = 0.0f;
    if (!event.group || !groupOrigin(*event.group, origin))
        return;
    for (Event* member : event.group->events)
        if (member && member->type == EffectEvent)
            updateFontTextures(*member, beat - event.startBeat + origin, &event);
}

void prepareEvent(Event& event, float beat) {
    if (event.type == EffectEvent)
        prepareEffectEvent(event, beat);
    else if (event.type == GroupEvent)
        prepareGroupEvent(event, beat);
}

Effect* renderEffectEvent(Event& event, const Texture& soundTexture, float beat, const Event* parent) {
    Effect* effect = event.effect;
    if (!effect || !effect->canDraw())
        return nullptr;
    const unsigned unitCount = effect->bindInputs(false);
    const bool usesSoundTexture = effect->program->builtins.soundTexture != -1;
    if (usesSoundTexture) {
        glActiveTexture(GL_TEXTURE0 + soundTextureUnit);
        glBindTexture(GL_TEXTURE_2D, soundTexture.glTexture);
    }
    effect->setBuiltinUniforms();
    applyVariables(event, beat, parent);
    effect->drawQuad();
    unbindTextureUnits(unitCount);
    if (usesSoundTexture) {
        glActiveTexture(GL_TEXTURE0 + soundTextureUnit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    return effect;
}

Effect* replayGroup(Event& event, const Texture& soundTexture, float beat, bool paused) {
    float origin = 0.0f;
    if (!event.group || !groupOrigin(*event.group, origin))
        return nullptr;
    if (replaying.contains(&event) || replaying.full())
        return nullptr;
    replaying.push(&event);
    const float memberBeat = beat - event.startBeat + origin;
    Effect* top = nullptr;
    for (Event* member : event.group->events) {
        if (!member || !isActive(*member, memberBeat))
            continue;
        if (Effect* drawn = render(*member, soundTexture, memberBeat, paused, &event))
            top = drawn;
    }
    replaying.pop();
    return top;
}

} // namespace

Effect* renderAt(Demo& demo, float beat) {
    const bool offscreen = projectCaptures(demo);
    if (offscreen) {
        demo.sceneFramebuffer.bind();
        glClear(GL_COLOR_BUFFER_BIT); // the frame starts as the window's did, cleared
    }
    uploadSoundTexture(*demo.soundTexture);
    for (const auto& event : demo.events)
        if (isActive(*event, beat))
            prepareEvent(*event, beat);

    Effect* top = nullptr;
    for (const auto& event : demo.events) {
        if (!isActive(*event, beat) || !event->visible)
            continue;
        if (Effect* drawn = render(*event, *demo.soundTexture, beat, demo.paused, nullptr))
            top = drawn;
    }
    if (offscreen)
        demo.sceneFramebuffer.present();
    return top;
}

Effect* render(Event& event, const Texture& soundTexture, float beat, bool paused, const Event* parent) {
    switch (event.type) {
    case EffectEvent:
        return renderEffectEvent(event, soundTexture, beat, parent);
    case AudioSampleEvent:
        // Started once when reached; again only after it has played out.
        if (!paused && event.audioSample)
            event.audioSample->play();
        return nullptr;
    case GroupEvent:
        return replayGroup(event, soundTexture, beat, paused);
    default:
        return nullptr;
    }
}

void applyVariables(Event& event, float beat, const Event* parent) {
    for (const auto& uniform : event.effect->program->uniformDefs) {
        if (uniform->location == -1)
            continue;
        float value = uniform->defaultVal;
        if (beat >= event.startBeat && beat <= event.endBeat) {
            const ControlPointList* override = parent ? parent->findOverride(event.name, uniform->name) : nullptr;
            if (override) {
                if (!override->points.empty())
                    value = parent->evaluate(*override, beat - event.startBeat + parent->startBeat);
            } else {
                const ControlPointList& own = event.variable(uniform->name);
                if (!own.points.empty())
                    value = event.evaluate(own, beat);
            }
        }
        glUniform1f(uniform->location, value);
    }
}

void warmUpEffect(Effect& effect) { effect.drawPass(false); }

void updateFontTextures(Event& event, float beat, const Event* group) {
    if (!event.effect)
        return;
    for (FontTexture* text : event.effect->fontTextures) {
        if (!text)
            continue;
        if (beat < event.startBeat || beat > event.endBeat) {
            text->setText({});
            continue;
        }
        std::string_view shown;
        const ControlPointList* override = group ? group->findOverride(event.name, text->name) : nullptr;
        if (override) {
            if (!override->points.empty())
                shown = group->textOf(*override, beat - event.startBeat + group->startBeat, text->charsPerBeat);
        } else {
            const ControlPointList& own = event.variable(text->name);
            if (!own.points.empty())
                shown = event.textOf(own, beat, text->charsPerBeat);
        }
        text->setText(shown);
    }
}
