// stb_image, which the WebAssembly player decodes with, gives the pixels the
// desktop's SDL2_image gives.
#include "render/StbImage.h"
#include "project/FileIo.h"
#include "render/SdlImage.h"

#include <gtest/gtest.h>

namespace {

TEST(StbImageTest, DecodesThePixelsSdlImageDecodes) {
    for (const char* path : {QUILLFRONT_EXAMPLE "/resources/logo.png", QUILLFRONT_TEST_DATA "/grey-4x2.png",
                             QUILLFRONT_TEST_DATA "/palette-2x1.png"}) {
        const std::string text = readWholeFile(path);
        const std::vector<uint8_t> bytes(text.begin(), text.end());
        const std::optional<RgbaImage> expected = decodeWithSdl(bytes, 4096);
        const std::optional<RgbaImage> decoded = decodeWithStb(bytes);
        ASSERT_TRUE(expected && decoded) << path;
        EXPECT_EQ(decoded->width, expected->width) << path;
        EXPECT_EQ(decoded->height, expected->height) << path;
        EXPECT_EQ(decoded->pixels, expected->pixels) << path;
    }
    const std::vector<uint8_t> damaged = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(decodeWithStb(damaged));
}

} // namespace
