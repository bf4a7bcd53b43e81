#include "editor/windows/SampleManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerKit.h"
#include "editor/windows/ResourceProbes.h"

#include <imgui.h>

namespace {

const char* const pickerTitle = "Import Sample";

void drawInspector(SampleManagerState& state, EditHistory& history, EditorContext& context, AudioSample& sample) {
    if (newEventButton("Create Audio Sample Event...", "Create Audio Sample Event", "Event name", state.eventName,
                       sizeof state.eventName)) {
        addEventFor(history, context.demo, sample, state.eventName, 1.0f);
        state.eventName[0] = '\0';
    }
    const SampleSound& sound = context.audio.sound(sample);
    ImGui::Text("%s", sample.name.c_str());
    ImGui::Text("Duration: %d ms", static_cast<int>(sound.durationMs));
    ImGui::Text("Buffer size: %d", sound.chunk ? static_cast<int>(sound.chunk->alen) : 0);
}

} // namespace

void drawSampleManager(EditorState& editor, EditorContext& context) {
    Demo& demo = context.demo;
    SampleManagerState& state = editor.sampleManager;
    Selection<AudioSample>& samples = state.samples;
    importChosenFile(
        editor.picker, pickerTitle, {"wav", "WAV"},
        [](const std::string& path) { return importSample(path, sampleProblem); }, editor.history, context,
        samples.selected);
    // With none selected (on opening, after a Delete) the first is, so "Play" works at once.
    samples.follow(demo);
    if (!samples.selected && !demo.audio_samples.empty())
        samples.select(demo.audio_samples.front().get());
    if (ImGui::Button("Delete") && samples.selected)
        removeObject(editor.history, demo, *samples.selected);
    ImGui::SameLine();
    // Heard as a sample event is: through the live mixer, the music ducked.
    if (ImGui::Button("Play") && samples.selected)
        context.audio.play(*samples.selected);
    ImGui::SameLine();
    countLine(demo.audio_samples.size(), "Audio Sample");
    ImGui::SameLine();
    if (ImGui::Button("Import Sample..."))
        ImGui::OpenPopup(pickerTitle);
    drawSelectableList("Selectables", {300.0f, 0.0f}, demo.audio_samples, samples.selected);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {300.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (samples.selected)
        drawInspector(state, editor.history, context, *samples.selected);
    ImGui::EndChild();
}
