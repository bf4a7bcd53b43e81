// A hardware or network control bound to a number variable: which control it
// is, the variable it moves, and how the control's range maps onto the
// uniform's. Plain data; the inputs that deliver the messages live elsewhere.
#pragma once

#include "project/UniformDef.h"

#include <string>

enum class ControlKind {
    ControlChange, // MIDI control change: 0 to 127
    PitchBend,     // MIDI pitch bend: 0 to 16383
    NoteVelocity,  // MIDI note on: its velocity, 0 to 127
    Osc,           // an OSC address carrying one number, in a range the author sets
};

// One control: a MIDI channel (0 to 15) with a controller or note number, or an OSC address.
struct ControlSource {
    ControlKind kind = ControlKind::ControlChange;
    int channel = 0;
    int number = 0;      // the controller or note; unused for pitch bend and OSC
    std::string address; // OSC only
    bool operator==(const ControlSource&) const = default;
};

// What an input delivers: the control that moved and its raw value.
struct ControlMessage {
    ControlSource source;
    float value = 0.0f;
};

struct ControllerBinding {
    ControlSource source;
    std::string event;    // the event's name
    std::string variable; // the variable's key in the event
    // An OSC control's range; MIDI controls have theirs fixed.
    float oscLow = 0.0f;
    float oscHigh = 1.0f;
};

// Where `raw` lies in the control's range, from 0 to 1 (clamped); 0 for a
// value that is not a number or an empty OSC range.
float controlFraction(const ControllerBinding& binding, float raw);
// The uniform's value at `fraction` of its editor range.
float uniformValueAt(const UniformDef& uniform, float fraction);
// How closely a take's curve must follow the control's moves, in the uniform's
// units: half a percent of its range, or one step of the control where that is
// coarser, since a 7-bit fader's staircase is no shape worth keeping.
float takeTolerance(const ControllerBinding& binding, const UniformDef& uniform);
// The control as the Controllers window names it: "MIDI 1 CC 7", "MIDI 3 bend",
// "MIDI 10 note 36", "OSC /fader1" (MIDI channels counted from 1).
std::string controlName(const ControlSource& source);
