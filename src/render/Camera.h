// The editor's free camera, given to every shader as "camera_position" and
// "camera_rotation"; zero until the viewport moves it.
#pragma once

#include <array>

extern std::array<float, 3> cameraPosition; // x, y, z
extern std::array<float, 3> cameraRotation; // pitch, yaw, roll in radians
