// The Viewport's free camera: keys move it, mouse look turns it. Plain maths
// over what the user holds, testable without a window.
#pragma once

#include "render/Camera.h"

// The keys held this frame.
struct CameraKeys {
    bool fast = false; // Left Shift: steps of 1 instead of 0.1
    bool reset = false;
    bool turnLeft = false;  // Q
    bool turnRight = false; // E
    bool forward = false;   // Up or W
    bool back = false;      // Down or S
    bool left = false;      // Left or A
    bool right = false;     // Right or D
    bool up = false;        // Page Up or Space
    bool down = false;      // Page Down or C
};

// Applies one frame of held keys, in a fixed order: reset, turns, then moves
// along the camera's yaw.
void driveCamera(Camera& camera, const CameraKeys& keys);

// Turns the camera by a mouse movement in pixels; jumps of 100 pixels or more
// (the first frame of a look, a warp) are ignored.
void lookWithMouse(Camera& camera, int dx, int dy);
