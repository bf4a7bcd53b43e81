#include "composition/CarriedState.h"

#include "project/EventGroup.h"

namespace {

using EffectSet = std::unordered_set<const Effect*>;

// True when an input of `from`, however deep, is `target`.
bool leadsTo(const Effect& from, const Effect& target, EffectSet& seen) {
    for (const Effect* input : from.effects) {
        if (input == &target)
            return true;
        if (input && seen.insert(input).second && leadsTo(*input, target, seen))
            return true;
    }
    return false;
}

bool inInputCycle(const Effect& effect) {
    EffectSet seen;
    return leadsTo(effect, effect, seen);
}

EffectSet carriedOutputs(const Demo& demo) {
    EffectSet carried;
    for (const auto& effect : demo.effects)
        if (effect->feedback || inInputCycle(*effect))
            carried.insert(effect.get());
    for (const auto& group : demo.event_groups)
        for (const Event* member : group->events)
            if (member && member->type == EffectEvent && member->effect)
                for (const Effect* input : member->effect->effects)
                    if (input)
                        carried.insert(input);
    return carried;
}

// True when `effect` or an input of it, however deep, is carried.
bool feedsCarried(const Effect& effect, const EffectSet& carried, EffectSet& seen) {
    if (carried.contains(&effect))
        return true;
    for (const Effect* input : effect.effects)
        if (input && seen.insert(input).second && feedsCarried(*input, carried, seen))
            return true;
    return false;
}

} // namespace

CarriedState carriedStateOf(const Demo& demo) {
    const EffectSet carried = carriedOutputs(demo);
    CarriedState state;
    for (const Effect* effect : carried)
        state.wholeFrames = state.wholeFrames || effect->screenTexture;
    for (const auto& effect : demo.effects) {
        EffectSet seen;
        if (feedsCarried(*effect, carried, seen))
            state.passes.insert(effect.get());
    }
    return state;
}
