#include "editor/windows/ControllersWindow.h"

#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"

#include <imgui.h>

#include <optional>
#include <string>

namespace {

void drawMidi(const ControllerDesk& desk) {
    const std::string system = desk.midiSystem();
    if (system.empty()) {
        ImGui::TextUnformatted("MIDI: neither ALSA nor JACK answers");
        return;
    }
    ImGui::Text("MIDI (%s):", system.c_str());
    ImGui::SameLine();
    if (desk.midiOutputs().empty()) {
        ImGui::TextDisabled("no controller yet; new ones join within two seconds");
        return;
    }
    std::string outputs;
    for (const std::string& output : desk.midiOutputs())
        outputs += (outputs.empty() ? "" : ", ") + output;
    ImGui::TextWrapped("%s", outputs.c_str());
}

void drawOsc(ControllerDesk& desk) {
    int port = desk.oscPort();
    bool network = desk.oscOnNetwork();
    ImGui::SetNextItemWidth(120.0f);
    // The port changes when the field is left, not at each digit typed.
    ImGui::InputInt("OSC port", &port, 0, 0);
    const bool portDone = ImGui::IsItemDeactivatedAfterEdit();
    ImGui::SameLine();
    const bool networkChanged = ImGui::Checkbox("Listen on the network", &network);
    if ((portDone && port != desk.oscPort()) || networkChanged)
        desk.listenForOsc(port, network);
    ImGui::TextUnformatted(desk.oscState().c_str());
}

void drawCounts(const ControllerDesk& desk) {
    ImGui::Text("Messages: %llu received, %llu lost, %llu refused", static_cast<unsigned long long>(desk.received()),
                static_cast<unsigned long long>(desk.dropped()), static_cast<unsigned long long>(desk.refused()));
    if (!desk.fileProblem().empty())
        ImGui::TextColored({1.0f, 0.5f, 0.3f, 1.0f}, "%s", desk.fileProblem().c_str());
}

void drawOscRange(ControllerDesk& desk, size_t index, const ControllerBinding& binding) {
    if (binding.source.kind != ControlKind::Osc) {
        ImGui::TextDisabled("fixed");
        return;
    }
    float range[2] = {binding.oscLow, binding.oscHigh};
    ImGui::SetNextItemWidth(-1.0f);
    ImGui::InputFloat2("##range", range, "%.3g");
    if (ImGui::IsItemDeactivatedAfterEdit())
        desk.setOscRange(index, range[0], range[1]);
}

void drawBindings(ControllerDesk& desk, const Demo& demo) {
    if (desk.bindings().empty()) {
        ImGui::TextDisabled("No bindings: press Learn beside a variable in the Event Manager, then move a control.");
        return;
    }
    const ImGuiTableFlags flags = ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerH | ImGuiTableFlags_ScrollY;
    if (!ImGui::BeginTable("Bindings", 5, flags))
        return;
    ImGui::TableSetupScrollFreeze(0, 1);
    ImGui::TableSetupColumn("Control");
    ImGui::TableSetupColumn("Moves");
    ImGui::TableSetupColumn("Last value");
    ImGui::TableSetupColumn("OSC range");
    ImGui::TableSetupColumn("", ImGuiTableColumnFlags_WidthFixed);
    ImGui::TableHeadersRow();
    std::optional<size_t> removed;
    for (size_t index = 0; index < desk.bindings().size(); ++index) {
        const ControllerBinding& binding = desk.bindings()[index];
        ImGui::PushID(static_cast<int>(index));
        ImGui::TableNextRow();
        ImGui::TableNextColumn();
        ImGui::TextUnformatted(controlName(binding.source).c_str());
        ImGui::TableNextColumn();
        const std::string target = "\"" + binding.event + "\" " + binding.variable;
        if (desk.active(binding, demo))
            ImGui::TextUnformatted(target.c_str());
        else
            ImGui::TextDisabled("%s (gone)", target.c_str());
        ImGui::TableNextColumn();
        if (const std::optional<float> value = desk.lastValue(binding, demo))
            ImGui::Text("%.3f", static_cast<double>(*value));
        else
            ImGui::TextDisabled("-");
        ImGui::TableNextColumn();
        drawOscRange(desk, index, binding);
        ImGui::TableNextColumn();
        if (ImGui::SmallButton("Remove"))
            removed = index;
        ImGui::PopID();
    }
    ImGui::EndTable();
    if (removed)
        desk.removeBinding(*removed);
}

} // namespace

void drawControllers(EditorState& editor, EditorContext& context) {
    ControllerDesk& desk = editor.controllers;
    if (!desk.started()) {
        ImGui::TextDisabled("Controllers are off in a player.");
        return;
    }
    drawMidi(desk);
    drawOsc(desk);
    drawCounts(desk);
    ImGui::Separator();
    drawBindings(desk, context.demo);
}
