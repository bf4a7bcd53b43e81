#include "editor/windows/TransportRow.h"

#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/MainMenu.h"

#include <SDL.h>
#include <imgui.h>

#include <cmath>

namespace {

constexpr float fieldWidth = 100.0f;

void label(const char* text) {
    ImGui::SameLine();
    ImGui::TextUnformatted(text);
    ImGui::SameLine();
}

// A transport value in a float field: every change is an edit, one step while the field stays active.
void transportField(EditorState& editor, Demo& demo, TransportField field, const char* id, float step, float fastStep) {
    float value = transportValue(demo, field);
    if (ImGui::InputFloat(id, &value, step, fastStep, "%.3f") && std::isfinite(value) &&
        value != transportValue(demo, field))
        setTransportValue(editor.history, demo, field, value, {editorTitle, id, &demo});
}

void beatOffsetSlider(EditorState& editor, Demo& demo) {
    float value = demo.beat_offset;
    if (ImGui::SliderFloat("##Beat offset", &value, -1.0f, 1.0f, "%.3f") && value != demo.beat_offset)
        setTransportValue(editor.history, demo, TransportField::BeatOffset, value,
                          {editorTitle, "##Beat offset", &demo});
}

// The beat as typed: never below 0, and only a finite number moves the clock.
void currentBeatField(EditorContext& context) {
    BeatClock& clock = context.clock;
    float beat = clock.currentBeat;
    if (!ImGui::InputFloat("##currentBeat", &beat, 0.0f, 0.0f, "%.3f") || !std::isfinite(beat))
        return;
    if (beat < 0.0f)
        beat = 0.0f;
    if (beat != clock.currentBeat)
        clock.seekToBeat(context.demo, beat);
}

void cueField(EditorContext& context) {
    float cue = context.clock.cueBeat;
    ImGui::SetNextItemWidth(fieldWidth);
    if (ImGui::InputFloat("##cue", &cue, 0.0f, 0.0f, "%.3f") && std::isfinite(cue))
        context.clock.cueBeat = cue < 0.0f ? 0.0f : cue;
}

void playButton(EditorContext& context) {
    BeatClock& clock = context.clock;
    const bool spacePressed =
        ImGui::IsWindowFocused() && !ImGui::GetIO().WantTextInput && ImGui::IsKeyPressed(SDL_SCANCODE_SPACE, true);
    if (ImGui::Button(clock.paused ? "Play" : "Pause") || spacePressed)
        clock.togglePause(context.demo);
}

// While on and the demo plays, bound controls' moves are written into their
// curves; red so that it is not left on unnoticed.
void recordToggle(EditorState& editor) {
    bool& recording = editor.controllers.recording;
    const bool wasRecording = recording;
    if (wasRecording)
        ImGui::PushStyleColor(ImGuiCol_CheckMark, IM_COL32(255, 70, 60, 255));
    ImGui::Checkbox("Record", &recording);
    if (wasRecording)
        ImGui::PopStyleColor();
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("Writes the bound controls' moves into their curves while the demo plays");
}

} // namespace

void drawTransportRow(EditorState& editor, EditorContext& context) {
    Demo& demo = context.demo;
    ImGui::TextUnformatted("File name:");
    ImGui::SameLine();
    ImGui::SetNextItemWidth(128.0f);
    ImGui::InputText("##Demo filename", context.projectFileName, projectFileNameSize - 1);
    // The mark's place is kept while there is none, so the fields right of it
    // stay where the pointer expects them.
    ImGui::SameLine();
    ImGui::TextUnformatted(editor.unsaved() ? "*" : " ");
    if (editor.unsaved() && ImGui::IsItemHovered())
        ImGui::SetTooltip("Changed since last saved or loaded");

    ImGui::PushItemWidth(fieldWidth);
    label("End beat:");
    transportField(editor, demo, TransportField::EndBeat, "##End beat", 0.125f, 1.0f);
    label("BPM:");
    transportField(editor, demo, TransportField::Bpm, "##BPM", 1.0f, 10.0f);
    label("Beat offset:");
    beatOffsetSlider(editor, demo);
    label("Volume:");
    int volume = context.mix.volume;
    if (ImGui::SliderInt("##volume", &volume, 0, 128, "%d"))
        context.mix.volume = volume;
    label("Beat:");
    currentBeatField(context);
    ImGui::PopItemWidth();

    ImGui::SameLine();
    playButton(context);
    ImGui::SameLine();
    if (ImGui::Button("<<16"))
        context.clock.seekToPreviousBar(demo);
    ImGui::SameLine();
    if (ImGui::Button(">>16"))
        context.clock.seekToNextBar(demo);
    ImGui::SameLine();
    cueField(context);
    ImGui::SameLine();
    if (ImGui::Button("Cue"))
        context.clock.seekToCue(demo);
    ImGui::SameLine();
    recordToggle(editor);
    ImGui::SameLine();
    ImGui::Text("Frame rate: %.1f FPS", static_cast<double>(ImGui::GetIO().Framerate));
    ImGui::SameLine();
    ImGui::Text("Sound sample count: %d", static_cast<int>(context.mix.lastBufferBytes()));
}
