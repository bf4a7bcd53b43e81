#include "editor/windows/WindowLayout.h"

namespace {

constexpr float menuBarHeight = 16.0f; // the arranged layout starts below it

float toolAreaHeight(const Display& display) { return 0.75f * display.height - menuBarHeight; }

} // namespace

float viewportHeight(const Display& display) { return display.width / display.aspect / 3.0f + menuBarHeight; }

Placement arrangedViewport(const Display& display) {
    return {0.0f, menuBarHeight, display.width / 3.0f, viewportHeight(display)};
}

Placement arrangedShaderEditor(const Display& display) {
    return {display.width / 3.0f, menuBarHeight, 2.0f * display.width / 3.0f, toolAreaHeight(display)};
}

Placement arrangedEffectManager(const Display& display) {
    const float v = viewportHeight(display);
    return {0.0f, v + menuBarHeight, display.width / 3.0f, toolAreaHeight(display) - v};
}

Placement arrangedEventManager(const Display& display) { return arrangedShaderEditor(display); }

Placement arrangedMainWindow(const Display& display) {
    return {0.0f, 0.75f * display.height, display.width, 0.25f * display.height};
}

Placement seeThroughMainWindow(const Display& display) { return {0.0f, 18.0f, display.width, display.height - 18.0f}; }
