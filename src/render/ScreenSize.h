// The window size in pixels, fixed at start-up: render read-backs, the frame
// exporter and the "resolution" uniform use it.
#pragma once

struct ScreenSize {
    int width = 1920;
    int height = 1080;
};

extern ScreenSize screenSize;
