// Images decoded through SDL2_image into real GL textures.
#include "project/Texture.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<uint8_t> dataFile(const char* name) {
    std::ifstream in(std::string(QUILLFRONT_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Encodes a 2 × 2 RGBA image (top row first) with SDL2_image's PNG or JPEG writer.
std::vector<uint8_t> encode(const uint8_t (&pixels)[16], bool jpeg) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), 2, 2, 32, 8, SDL_PIXELFORMAT_ABGR8888);
    std::vector<uint8_t> bytes(64 * 1024);
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    const int status = jpeg ? IMG_SaveJPG_RW(surface, out, 0, 100) : IMG_SavePNG_RW(surface, out, 0);
    bytes.resize(status == 0 ? static_cast<size_t>(SDL_RWtell(out)) : 0);
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return bytes;
}

void decode(Texture& texture, const std::vector<uint8_t>& bytes) {
    texture.imageBuffer = std::make_unique<ByteBuffer>(bytes);
    texture.loadImage();
}

class TextureTest : public ::testing::Test {
protected:
    GlWindow window{32, 18};
    Texture texture;

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }
    void load(const std::vector<uint8_t>& bytes) { decode(texture, bytes); }
};

TEST_F(TextureTest, TransparentPixelsArePremultipliedAndKeepTheirAlpha) {
    const uint8_t pixels[16] = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 200, 100, 50, 255};
    const auto png = encode(pixels, false);
    ASSERT_FALSE(png.empty());
    load(png);
    ASSERT_NE(texture.glTexture, 0u);
    EXPECT_EQ(texture.width, 2);
    EXPECT_EQ(texture.height, 2);
    EXPECT_THAT(window.texelAt(texture.glTexture, 0, 0), IsRgba(255, 0, 0, 255)) << "top row first";
    EXPECT_THAT(window.texelAt(texture.glTexture, 1, 0), IsRgba(0, 128, 0, 128));
    EXPECT_THAT(window.texelAt(texture.glTexture, 0, 1), IsRgba(0, 0, 0, 0));
    EXPECT_THAT(window.texelAt(texture.glTexture, 1, 1), IsRgba(200, 100, 50, 255));
}

TEST_F(TextureTest, GreyAndPaletteImagesBecomeRgba) {
    load(dataFile("grey-4x2.png"));
    ASSERT_NE(texture.glTexture, 0u);
    EXPECT_EQ(texture.width, 4);
    EXPECT_EQ(texture.height, 2);
    EXPECT_THAT(window.texelAt(texture.glTexture, 1, 0), IsRgba(85, 85, 85, 255));
    EXPECT_THAT(window.texelAt(texture.glTexture, 3, 1), IsRgba(255, 255, 255, 255));

    Texture palette;
    const auto bytes = dataFile("palette-2x1.png");
    decode(palette, bytes);
    EXPECT_THAT(window.texelAt(palette.glTexture, 1, 0), IsRgba(0, 0, 255, 255));
}

TEST_F(TextureTest, JpegBecomesRgba) {
    const uint8_t pixels[16] = {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255};
    const auto jpeg = encode(pixels, true);
    ASSERT_FALSE(jpeg.empty()) << IMG_GetError();
    load(jpeg);
    ASSERT_NE(texture.glTexture, 0u);
    const Rgba texel = window.texelAt(texture.glTexture, 0, 0);
    EXPECT_LT(texel[0], 10);
    EXPECT_GT(texel[2], 245);
    EXPECT_EQ(texel[3], 255);
}

TEST_F(TextureTest, UndecodableBytesGiveAnEmptyTexture) {
    const std::vector<uint8_t> garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    auto truncated = dataFile("grey-4x2.png");
    truncated.resize(30);
    for (const auto& bytes : {garbage, truncated, std::vector<uint8_t>()}) {
        Texture broken;
        decode(broken, bytes);
        EXPECT_EQ(broken.glTexture, 0u);
        EXPECT_EQ(broken.width, 0);
        EXPECT_EQ(broken.height, 0);
    }
}

} // namespace
