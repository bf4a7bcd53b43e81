#include "render/Camera.h"

std::array<float, 3> cameraPosition{};
std::array<float, 3> cameraRotation{};
