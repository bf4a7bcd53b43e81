#include "editor/windows/Editor.h"

#include "editor/edits/ProjectEdits.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorKeys.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/EventTimeline.h"
#include "editor/windows/MainMenu.h"
#include "editor/windows/ToolWindows.h"
#include "editor/windows/TransportRow.h"
#include "editor/windows/WindowLayout.h"

#include <imgui.h>

#include <utility>

namespace {

// See-through leaves the window backgrounds clear, so the demo behind shows.
void setWindowBackgroundAlpha(bool seeThrough) {
    ImGui::GetStyle().Colors[ImGuiCol_WindowBg].w = seeThrough ? 0.0f : 0.96f;
}

void placeMainWindow(EditorState& editor) {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    const Display display{size.x, size.y};
    if (editor.arrangeRequested) {
        const Placement at = arrangedMainWindow(display);
        ImGui::SetWindowPos({at.x, at.y});
        ImGui::SetWindowSize({at.width, at.height});
        editor.arrangeRequested = false;
    }
    if (editor.seeThroughTimeline) {
        const Placement at = seeThroughMainWindow(display);
        ImGui::SetWindowPos({at.x, at.y});
        ImGui::SetWindowSize({at.width, at.height});
    }
}

// The timeline changes nothing itself: its seeks and drags are applied here, a
// drag through the edit history as one step.
void applyTimeline(EditorState& editor, EditorContext& context, const TimelineResult& result) {
    if (result.seekBeat)
        context.clock.seekToBeat(context.demo, *result.seekBeat);
    Event* event = result.changedEvent;
    if (event && (event->startBeat != result.start || event->endBeat != result.end))
        moveEvent(editor.history, *event, result.start, result.end, {"Timeline", "drag", event});
}

} // namespace

bool drawEditor(EditorState& editor, EditorContext& context, SDL_Keycode commandKey, SDL_Keycode windowKey) {
    setWindowBackgroundAlpha(editor.seeThroughTimeline);
    ImGui::Begin(editorTitle);
    if (editor.frameExport.running()) {
        editor.frameExport.step(context);
        ImGui::End();
        return true;
    }
    if (std::exchange(editor.announceRecovery, false))
        context.status.set("An autosave from " + editor.recoverableAutosave +
                           " is newer than the project: File > Recover autosave loads it");
    drawTransportRow(editor, context);
    editor.codeEditorHasKeyboard = false;
    context.render.holdProgram(nullptr); // the Shader Editor holds its program again while it draws
    drawToolWindows(editor, context);
    placeMainWindow(editor);
    applyTimeline(editor, context, drawTimeline(context.demo, context.clock.currentBeat, editor.timeline));
    applyEditorKeys(editor, context, commandKey, windowKey);
    drawMainMenu(editor, context);
    if (std::exchange(editor.requests.exportFrames, false))
        editor.frameExport.start(context);
    ImGui::End();
    if (editor.show.guiDemo)
        ImGui::ShowDemoWindow(&editor.show.guiDemo);
    // A gesture (a drag, typing into a field or the code editor) lasts while
    // some item is held or the code editor keeps the keyboard.
    if (!ImGui::IsAnyItemActive() && !editor.codeEditorHasKeyboard)
        editor.history.endGesture();
    return editor.show.viewport;
}
