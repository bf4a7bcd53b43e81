// The Viewport's free camera: moves follow the yaw, turns and resets.
#include "editor/windows/FreeCamera.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

TEST(FreeCameraTest, MovesFollowTheYawAndResetClearsAll) {
    Camera camera;
    camera.rotation[1] = std::numbers::pi_v<float> / 2.0f; // a quarter turn
    driveCamera(camera, {.forward = true});
    EXPECT_NEAR(camera.position[0], -0.1f, 1e-6f) << "forward after a quarter turn is -x";
    EXPECT_NEAR(camera.position[2], 0.0f, 1e-6f);
    driveCamera(camera, {.fast = true, .up = true});
    EXPECT_FLOAT_EQ(camera.position[1], 1.0f);
    driveCamera(camera, {.turnLeft = true});
    EXPECT_FLOAT_EQ(camera.rotation[1], std::numbers::pi_v<float> / 2.0f + 0.01f);
    camera.rotation[2] = 0.3f;
    driveCamera(camera, {.reset = true, .right = true});
    EXPECT_FLOAT_EQ(camera.position[0], 0.1f) << "the reset comes first, then the move";
    EXPECT_EQ(camera.rotation, (std::array<float, 3>{}));
}

TEST(FreeCameraTest, MouseLookIgnoresJumpsOf100PixelsOrMore) {
    Camera camera;
    lookWithMouse(camera, 10, -5);
    EXPECT_FLOAT_EQ(camera.rotation[1], -0.2f);
    EXPECT_FLOAT_EQ(camera.rotation[0], 0.1f);
    lookWithMouse(camera, 10100, 100);
    EXPECT_FLOAT_EQ(camera.rotation[1], -0.2f);
    EXPECT_FLOAT_EQ(camera.rotation[0], 0.1f);
}

} // namespace
