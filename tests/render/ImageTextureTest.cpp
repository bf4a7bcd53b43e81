// Images decoded through SDL2_image into real GL textures.
#include "render/ImageTexture.h"
#include "render/RenderCache.h"
#include "support/GlWindow.h"
#include "support/PixelMatchers.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>

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

// A PNG of a few hundred bytes whose header declares `side` × `side` pixels.
std::vector<uint8_t> hugePng(int side) {
    std::vector<uint8_t> pixels(64 * 64 * 4, 255);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), 64, 64, 32, 256, SDL_PIXELFORMAT_ABGR8888);
    std::vector<uint8_t> bytes(64 * 1024);
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
    IMG_SavePNG_RW(surface, out, 0);
    bytes.resize(static_cast<size_t>(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    for (int shift : {0, 4}) // IHDR's width and height, big-endian, at bytes 16 and 20
        for (int i = 0; i < 4; ++i)
            bytes[16 + static_cast<size_t>(shift) + static_cast<size_t>(i)] =
                static_cast<uint8_t>(static_cast<uint32_t>(side) >> (24 - 8 * i));
    return bytes;
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class ImageTextureTest : public ::testing::Test {
protected:
    GlWindow window{32, 18};
    ImageTexture texture;

    void SetUp() override { ASSERT_TRUE(window.ok()) << window.error(); }
    void load(const std::vector<uint8_t>& bytes) { EXPECT_EQ(texture.loadImage(bytes, 16384), std::nullopt); }
};

TEST_F(ImageTextureTest, TransparentPixelsArePremultipliedAndKeepTheirAlpha) {
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

TEST_F(ImageTextureTest, GreyAndPaletteImagesBecomeRgba) {
    load(dataFile("grey-4x2.png"));
    ASSERT_NE(texture.glTexture, 0u);
    EXPECT_EQ(texture.width, 4);
    EXPECT_EQ(texture.height, 2);
    EXPECT_THAT(window.texelAt(texture.glTexture, 1, 0), IsRgba(85, 85, 85, 255));
    EXPECT_THAT(window.texelAt(texture.glTexture, 3, 1), IsRgba(255, 255, 255, 255));

    ImageTexture palette;
    palette.loadImage(dataFile("palette-2x1.png"), 16384);
    EXPECT_THAT(window.texelAt(palette.glTexture, 1, 0), IsRgba(0, 0, 255, 255));
}

TEST_F(ImageTextureTest, JpegBecomesRgba) {
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

TEST_F(ImageTextureTest, UndecodableBytesGiveAnEmptyTexture) {
    const std::vector<uint8_t> garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    auto truncated = dataFile("grey-4x2.png");
    truncated.resize(30);
    for (const auto& bytes : {garbage, truncated, std::vector<uint8_t>()}) {
        ImageTexture broken;
        EXPECT_EQ(broken.loadImage(bytes, 16384), std::nullopt);
        EXPECT_EQ(broken.glTexture, 0u);
        EXPECT_EQ(broken.width, 0);
        EXPECT_EQ(broken.height, 0);
    }
}

TEST_F(ImageTextureTest, ImagesDeclaringMoreThanTheGlShowsAreRefusedUndecoded) {
    const std::vector<uint8_t> hostile = hugePng(40000);
    ASSERT_LT(hostile.size(), 1000u);
    const long before = peakResidentKiB();
    Texture image("resources/huge.png", hostile);
    RenderCache cache;
    const ImageTexture& decoded = cache.image(image);
    EXPECT_EQ(decoded.glTexture, 0u);
    EXPECT_EQ(decoded.width, 0);
    EXPECT_EQ(cache.takeProblems(), std::vector<std::string>{"resources/huge.png: The image declares 40000 x 40000 "
                                                             "pixels; at most 16384 x 16384 can be shown"});
    EXPECT_LT(peakResidentKiB() - before, 16 * 1024) << "nothing of the declared 6.4 GB was allocated";

    // The same picture declaring a size the GL shows decodes.
    EXPECT_EQ(texture.loadImage(hugePng(64), 16384), std::nullopt);
    EXPECT_EQ(texture.width, 64);
}

} // namespace
