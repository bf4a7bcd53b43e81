// A fixture for frames composed by renderAt from a project built in the test, in
// a small real window.
#pragma once

#include "audio/AudioCache.h"
#include "audio/LiveMix.h"
#include "project/Demo.h"
#include "render/FrameContext.h"
#include "render/RenderCache.h"
#include "support/GlWindow.h"

#include <gtest/gtest.h>

class ComposedFrameTest : public ::testing::Test {
protected:
    static constexpr int width = 64;
    static constexpr int height = 36;

    GlWindow window{width, height};
    Demo demo;
    RenderCache cache;
    LiveMix live;
    AudioCache audio{&live};
    FrameContext frame;

    void SetUp() override {
        ASSERT_TRUE(window.ok()) << window.error();
        frame.screen = {width, height};
    }
};
