// Where the editor's windows go: the arranged layout (Ctrl+Shift+Y) and the
// see-through main window, as plain maths over the display size, testable
// without a window.
#pragma once

struct Placement {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// The GUI display size and the demo's aspect ratio (screen width / height).
struct Display {
    float width = 0.0f;
    float height = 0.0f;
    float aspect = 16.0f / 9.0f;
};

// The Viewport's arranged height: a third of the width, at the demo's aspect, below a 16-pixel title.
float viewportHeight(const Display& display);

Placement arrangedViewport(const Display& display);
Placement arrangedShaderEditor(const Display& display);
Placement arrangedEffectManager(const Display& display);
// The Event Manager shares the Shader Editor's place.
Placement arrangedEventManager(const Display& display);
Placement arrangedMainWindow(const Display& display);
// See-through: the whole screen below the 18-pixel menu bar.
Placement seeThroughMainWindow(const Display& display);

// The size a tool window without an arranged place gets the first time it opens.
constexpr float firstUseWidth = 728.0f;
constexpr float firstUseHeight = 275.0f;
