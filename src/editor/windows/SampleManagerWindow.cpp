#include "editor/windows/SampleManagerWindow.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ManagerWidgets.h"
#include "editor/windows/ResourceProbes.h"

#include <imgui.h>

namespace {

const char* const pickerTitle = "Import Sample";
const char* const createEventTitle = "Create Audio Sample Event";

// A request from the Event Manager selects its sample; with none selected (on
// opening, after a Delete) the first is, so "Play" works at once.
void drawSampleList(SampleManagerState& state, Demo& demo) {
    if (AudioSample* requested = findObject(demo, state.requested))
        state.selected = requested;
    if (!state.selected && !demo.audio_samples.empty())
        state.selected = demo.audio_samples.front().get();
    drawSelectableList("Selectables", {300.0f, 0.0f}, demo.audio_samples, state.selected);
    state.requested = nullptr;
}

void drawInspector(SampleManagerState& state, EditHistory& history, EditorContext& context, AudioSample& sample) {
    if (newEventDialog(createEventTitle, "Event name", state.eventName, sizeof state.eventName)) {
        addEventFor(history, context.demo, sample, state.eventName, 1.0f);
        state.eventName[0] = '\0';
    }
    if (ImGui::Button("Create Audio Sample Event..."))
        ImGui::OpenPopup(createEventTitle);
    const SampleSound& sound = context.audio.sound(sample);
    ImGui::Text("%s", sample.name.c_str());
    ImGui::Text("Duration: %d ms", static_cast<int>(sound.durationMs));
    ImGui::Text("Buffer size: %d", sound.chunk ? static_cast<int>(sound.chunk->alen) : 0);
}

} // namespace

void SampleManagerState::forgetProject() {
    RequestableWindowState<AudioSample>::forgetProject();
    selected = nullptr;
}

void SampleManagerState::forgetObject(const ObjectRef& object) {
    RequestableWindowState<AudioSample>::forgetObject(object);
    if (refersTo(object, selected))
        selected = nullptr;
}

void drawSampleManager(EditorState& editor, EditorContext& context) {
    SampleManagerState& state = editor.sampleManager;
    importChosenFile(
        pickerTitle, {"wav", "WAV"}, [](const std::string& path) { return importSample(path, sampleProblem); },
        editor.history, context, state.selected);
    if (ImGui::Button("Delete") && state.selected)
        removeObject(editor.history, context.demo, *state.selected);
    ImGui::SameLine();
    // Heard as a sample event is: through the live mixer, the music ducked.
    if (ImGui::Button("Play") && state.selected)
        context.audio.play(*state.selected);
    ImGui::SameLine();
    countLine(context.demo.audio_samples.size(), "Audio Sample");
    ImGui::SameLine();
    if (ImGui::Button("Import Sample..."))
        ImGui::OpenPopup(pickerTitle);
    drawSampleList(state, context.demo);
    ImGui::SameLine();
    ImGui::BeginChild("Inspector", {300.0f, 0.0f}, true, ImGuiWindowFlags_HorizontalScrollbar);
    if (state.selected)
        drawInspector(state, editor.history, context, *state.selected);
    ImGui::EndChild();
}
