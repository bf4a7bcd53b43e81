#include "editor/windows/EditorState.h"

#include "editor/windows/ToolWindows.h"

namespace {

template <typename Forget> void forEachWindowState(EditorState& editor, Forget forget) {
    for (const ToolWindow& window : toolWindows())
        if (window.state)
            forget(*window.state(editor));
}

} // namespace

void EditorState::forgetProject() {
    history.clear();
    noteSaved();
    requests = {};
    timeline = {};
    forEachWindowState(*this, [](WindowState& state) { state.forgetProject(); });
}

void EditorState::forgetObject(const ObjectRef& object) {
    if (refersTo(object, timeline.heldEvent))
        timeline.dropHeld();
    forEachWindowState(*this, [&](WindowState& state) { state.forgetObject(object); });
}

void EditorState::showInItsWindow(const Effect& effect) {
    effectManager.effects.requested = &effect;
    show.effectManager = true;
}

void EditorState::showInItsWindow(const AudioSample& sample) {
    sampleManager.samples.requested = &sample;
    show.sampleManager = true;
}

void EditorState::showInItsWindow(const EventGroup& group) {
    eventGroupManager.groups.requested = &group;
    show.eventGroupManager = true;
}

void EditorState::showInItsWindow(const ShaderProgram& program) {
    shaderEditor.requested = &program;
    show.shaderEditor = true;
}

void EditorState::arrange() {
    arrangeRequested = true;
    seeThroughTimeline = false;
    for (const ToolWindow& window : toolWindows())
        if (window.openedByArranging)
            show.*window.open = true;
}

void EditorState::toggleSeeThrough() {
    seeThroughTimeline = !seeThroughTimeline;
    for (const ToolWindow& window : toolWindows())
        if (window.hiddenBySeeThrough)
            show.*window.open = false;
}
