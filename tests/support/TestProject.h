// A project built in memory for composition tests: three effect events (two
// overlapping, one invisible with an input effect) and a group event replaying
// two members, with uniforms automated by control points. Needs a GL context.
//
// Colours on the screen, by beat:
//   0 ..  32  "red": red = its "level" variable, 0 at beat 0 rising to 1 at beat 16
//  16 ..  24  "green": full green, over "red"
//   0 ..  64  "hidden": invisible; its input "yellow" is still rendered
// 100 .. 120  "replay" of group "pair": members "blue" (32 .. 36, blue = "amount",
//             overridden by "blue.amount" = 0.25 in the replay) and "cyan" (40 .. 44)
#pragma once

#include "project/Demo.h"

#include <memory>

struct TestProject {
    std::unique_ptr<Demo> demo;
    Effect* red = nullptr;
    Effect* green = nullptr;
    Effect* hidden = nullptr;
    Effect* yellow = nullptr;
    Effect* blue = nullptr;
    Effect* cyan = nullptr;
};

TestProject buildTestProject();
