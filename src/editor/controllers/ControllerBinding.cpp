#include "editor/controllers/ControllerBinding.h"

#include <algorithm>
#include <cmath>

namespace {

float rangeTop(ControlKind kind) { return kind == ControlKind::PitchBend ? 16383.0f : 127.0f; }

} // namespace

float controlFraction(const ControllerBinding& binding, float raw) {
    float low = 0.0f;
    float high = rangeTop(binding.source.kind);
    if (binding.source.kind == ControlKind::Osc) {
        low = binding.oscLow;
        high = binding.oscHigh;
    }
    const float fraction = (raw - low) / (high - low);
    if (!std::isfinite(fraction))
        return 0.0f;
    return std::clamp(fraction, 0.0f, 1.0f);
}

float uniformValueAt(const UniformDef& uniform, float fraction) {
    return uniform.minVal + fraction * (uniform.maxVal - uniform.minVal);
}

float takeTolerance(const ControllerBinding& binding, const UniformDef& uniform) {
    const float range = std::fabs(uniform.maxVal - uniform.minVal);
    const float step = binding.source.kind == ControlKind::Osc ? 0.0f : 1.0f / rangeTop(binding.source.kind);
    return std::max(0.005f, step) * range;
}

std::string controlName(const ControlSource& source) {
    const std::string midi = "MIDI " + std::to_string(source.channel + 1);
    switch (source.kind) {
    case ControlKind::ControlChange:
        return midi + " CC " + std::to_string(source.number);
    case ControlKind::PitchBend:
        return midi + " bend";
    case ControlKind::NoteVelocity:
        return midi + " note " + std::to_string(source.number);
    case ControlKind::Osc:
        break;
    }
    return "OSC " + source.address;
}
