// The editor's free camera, given to every shader as "camera_position" and
// "camera_rotation"; zero until the viewport moves it.
#pragma once

#include <array>

struct Camera {
    std::array<float, 3> position{}; // x, y, z
    std::array<float, 3> rotation{}; // pitch, yaw, roll in radians
};
