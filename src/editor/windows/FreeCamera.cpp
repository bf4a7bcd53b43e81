#include "editor/windows/FreeCamera.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float mouseTurnPerPixel = 0.02f;
constexpr int largestMouseStep = 100;

} // namespace

void driveCamera(Camera& camera, const CameraKeys& keys) {
    const float speed = keys.fast ? 1.0f : 0.1f;
    float& x = camera.position[0];
    float& y = camera.position[1];
    float& z = camera.position[2];
    float& yaw = camera.rotation[1];
    if (keys.reset)
        camera = {};
    if (keys.turnLeft)
        yaw += speed * 0.1f;
    if (keys.turnRight)
        yaw -= speed * 0.1f;
    const float sine = std::sin(yaw);
    const float cosine = std::cos(yaw);
    if (keys.forward) {
        x -= sine * speed;
        z += cosine * speed;
    }
    if (keys.back) {
        x += sine * speed;
        z -= cosine * speed;
    }
    if (keys.left) {
        x -= cosine * speed;
        z -= sine * speed;
    }
    if (keys.right) {
        x += cosine * speed;
        z += sine * speed;
    }
    if (keys.up)
        y += speed;
    if (keys.down)
        y -= speed;
}

void lookWithMouse(Camera& camera, int dx, int dy) {
    if (std::abs(dx) < largestMouseStep)
        camera.rotation[1] -= static_cast<float>(dx) * mouseTurnPerPixel;
    if (std::abs(dy) < largestMouseStep)
        camera.rotation[0] -= static_cast<float>(dy) * mouseTurnPerPixel;
}
