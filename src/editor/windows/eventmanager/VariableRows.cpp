#include "editor/windows/eventmanager/VariableRows.h"

#include "project/Effect.h"
#include "project/EventGroup.h"
#include "project/ShaderProgram.h"

namespace {

void addRowsOf(const Effect& effect, const Event* member, std::vector<VariableRow>& rows) {
    const std::string prefix = member ? member->name + "." : std::string();
    if (effect.program)
        for (const auto& uniform : effect.program->uniformDefs)
            rows.push_back({prefix + uniform->name, uniform.get(), nullptr, member, uniform->name});
    for (const FontTexture* text : effect.fontTextures)
        if (text)
            rows.push_back({prefix + text->name, nullptr, text, member, text->name});
}

} // namespace

std::vector<VariableRow> variableRows(const Event& event) {
    std::vector<VariableRow> rows;
    if (event.type == EffectEvent && event.effect)
        addRowsOf(*event.effect, nullptr, rows);
    if (event.type == GroupEvent && event.group)
        for (const Event* member : event.group->events)
            if (member && member->type == EffectEvent && member->effect)
                addRowsOf(*member->effect, member, rows);
    return rows;
}

int variableCount(const Event& event, const std::vector<VariableRow>& rows) {
    int count = static_cast<int>(event.variables.size());
    if (event.type != EffectEvent)
        return count;
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool stored = event.variables.contains(rows[i].key);
        bool shownBefore = false;
        for (size_t j = 0; j < i && !shownBefore; ++j)
            shownBefore = rows[j].key == rows[i].key;
        if (!stored && !shownBefore)
            ++count;
    }
    return count;
}
