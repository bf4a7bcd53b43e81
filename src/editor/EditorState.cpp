#include "editor/EditorState.h"

void EditorState::forgetProject() {
    history.clear();
    requests = {};
    timeline = {};
}

void EditorState::arrange() {
    arrangeRequested = true;
    seeThroughTimeline = false;
    show.viewport = show.effectManager = show.shaderEditor = true;
}

void EditorState::toggleSeeThrough() {
    seeThroughTimeline = !seeThroughTimeline;
    show.viewport = show.effectManager = show.shaderEditor = show.textureManager = show.sampleManager =
        show.fontManager = show.eventManager = false;
}
