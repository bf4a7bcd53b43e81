// The render cache builds each object's GL side once and again only after an edit
// of that object.
#include "render/RenderCache.h"
#include "render/RenderTestSupport.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"
#include "support/StdoutCapture.h"

#include <gtest/gtest.h>

namespace {

class RenderCacheTest : public ::testing::Test {
protected:
    GlWindow window{32, 18};
    RenderCache cache;

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }
};

TEST_F(RenderCacheTest, AnEditRebuildsOnlyTheObjectItTouched) {
    // Broken programs print their compile log whenever they are compiled.
    ShaderProgram first("#version 150\nvoid main() { first_error; }\n");
    ShaderProgram second("#version 150\nvoid main() { second_error; }\n");
    {
        StdoutCapture capture;
        cache.program(first);
        cache.program(second);
        EXPECT_NE(capture.text().find("first_error"), std::string::npos);
    }
    first.edits.touch();
    StdoutCapture capture;
    cache.program(first);
    cache.program(second);
    const std::string console = capture.text();
    EXPECT_NE(console.find("first_error"), std::string::npos) << "the edited program compiles again";
    EXPECT_EQ(console.find("second_error"), std::string::npos) << "the other one does not";
}

TEST_F(RenderCacheTest, AnEditedImageIsDecodedAgain) {
    Texture image("resources/dot.bmp", solidBmp(255, 0, 0));
    EXPECT_THAT(window.texelAt(cache.image(image).glTexture, 0, 0), IsRgba(255, 0, 0, 255));
    image.imageBuffer->data = solidBmp(0, 0, 255);
    image.edits.touch();
    EXPECT_THAT(window.texelAt(cache.image(image).glTexture, 0, 0), IsRgba(0, 0, 255, 255));
}

} // namespace
