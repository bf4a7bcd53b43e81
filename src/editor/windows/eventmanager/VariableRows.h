// The rows of the variables editor for an event: for an effect event one row
// per uniform of its program and one per font texture of its effect; for a
// group event the same for each of its group's effect members, keyed by the
// member's name, "." and the variable's name, which the group event may
// override. Plain data over the project, testable without a window.
#pragma once

#include "project/Event.h"
#include "project/FontTexture.h"
#include "project/UniformDef.h"

#include <string>
#include <vector>

struct VariableRow {
    std::string key;                     // the variable's key in the event
    const UniformDef* uniform = nullptr; // a number row's uniform
    const FontTexture* text = nullptr;   // a text row's font texture
    const Event* member = nullptr;       // group events: the member whose variable the key overrides
    std::string memberKey;               // the member's own key for it

    bool isText() const { return text != nullptr; }
};

// Each effect's number rows, then its text rows, effect by effect.
std::vector<VariableRow> variableRows(const Event& event);

// How many variables the event has: those it stores, and for an effect event
// those its rows show without a stored curve.
int variableCount(const Event& event, const std::vector<VariableRow>& rows);
