// A size in pixels: the window's, fixed at start-up, which the render passes,
// read-backs and the "resolution" uniform use.
#pragma once

struct ScreenSize {
    int width = 1920;
    int height = 1080;
};
