#include "editor/windows/ControllerHub.h"

#include <algorithm>
#include <utility>

namespace {

ControllerHub::Target targetOf(const ControllerBinding& binding) { return {binding.event, binding.variable}; }

} // namespace

std::optional<ControllerBinding> ControllerHub::handle(const ControlMessage& message, Clock::time_point now,
                                                       std::optional<float> recordingBeat) {
    if (learning) {
        std::erase_if(bindings, [&](const ControllerBinding& binding) {
            return binding.source == message.source || targetOf(binding) == *learning;
        });
        ControllerBinding learned;
        learned.source = message.source;
        learned.event = learning->event;
        learned.variable = learning->variable;
        bindings.push_back(learned);
        learning.reset();
        return learned;
    }
    for (const ControllerBinding& binding : bindings) {
        if (binding.source != message.source)
            continue;
        const Target target = targetOf(binding);
        const float fraction = controlFraction(binding, message.value);
        const auto touch =
            std::find_if(touches_.begin(), touches_.end(), [&](const Touch& held) { return held.target == target; });
        if (touch == touches_.end())
            touches_.push_back({target, fraction, now});
        else
            *touch = {target, fraction, now};
        if (!recordingBeat)
            continue;
        auto take = std::find_if(takes_.begin(), takes_.end(), [&](const Take& t) { return t.target == target; });
        if (take == takes_.end())
            take = takes_.insert(takes_.end(), Take{target, {}});
        // Moves arriving in one frame share its beat: the last of them stands.
        // A move at an earlier beat than the last (the demo looped or was
        // sought) starts no new shape here.
        if (!take->samples.empty() && *recordingBeat == take->samples.back().beat)
            take->samples.back().value = fraction;
        else if (take->samples.empty() || *recordingBeat > take->samples.back().beat)
            take->samples.push_back({*recordingBeat, fraction});
    }
    return std::nullopt;
}

std::optional<float> ControllerHub::touched(std::string_view event, std::string_view variable,
                                            Clock::time_point now) const {
    for (const Touch& touch : touches_)
        if (touch.target.event == event && touch.target.variable == variable && now - touch.at <= touchHold)
            return touch.fraction;
    return std::nullopt;
}

bool ControllerHub::holdsAny(Clock::time_point now) const {
    return std::any_of(touches_.begin(), touches_.end(),
                       [&](const Touch& touch) { return now - touch.at <= touchHold; });
}

std::vector<ControllerHub::Take> ControllerHub::takeTakes() { return std::exchange(takes_, {}); }

std::vector<TakeSample> takeInCurve(const ControllerHub::Take& take, const Event& event, const UniformDef& uniform) {
    std::vector<TakeSample> samples;
    samples.reserve(take.samples.size());
    for (const TakeSample& sample : take.samples)
        samples.push_back({sample.beat - event.startBeat, uniformValueAt(uniform, sample.value)});
    return samples;
}
