// The post-mix analysis fed synthetic mix buffers directly.
#include "audio/LiveMix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int frames = 1024;

// Interleaved stereo frames with `left` and `right` sample functions of the frame index.
template <typename Left> std::vector<int16_t> stereo(Left left) {
    std::vector<int16_t> buffer;
    for (int i = 0; i < frames; ++i) {
        buffer.push_back(left(i));
        buffer.push_back(left(i));
    }
    return buffer;
}

std::vector<int16_t> sineOnBin(int bin) {
    return stereo(
        [bin](int i) { return static_cast<int16_t>(32767.0 * std::sin(2.0 * std::numbers::pi * bin * i / frames)); });
}

std::vector<int16_t> squareWave() {
    return stereo([](int i) { return static_cast<int16_t>((i / 8) % 2 ? 32767 : -32767); });
}

class LiveMixTest : public ::testing::Test {
protected:
    LiveMix live;

    void mix(std::vector<int16_t>& buffer) { live.analyseBuffer(buffer.data(), static_cast<int>(buffer.size() * 2)); }
    uint8_t spectrumTexel(int k) { return live.soundTextureBytes()[k * 4]; }
    uint8_t waveformTexel(int j) { return live.soundTextureBytes()[4096 + j * 4]; }
};

TEST_F(LiveMixTest, SilenceGivesAnEmptySpectrumAndAFlatWave) {
    std::vector<int16_t> silence(frames * 2, 0);
    mix(silence);
    for (int k = 0; k < 1024; ++k) {
        ASSERT_EQ(spectrumTexel(k), 0) << k;
        ASSERT_EQ(waveformTexel(k), 128) << k;
    }
    EXPECT_EQ(live.soundLevel(), 0);
    EXPECT_EQ(live.lastBufferBytes(), 4096);
}

TEST_F(LiveMixTest, AFullScaleSineOnABinReachesTheTop) {
    auto sine = sineOnBin(100);
    mix(sine);
    for (int k = 480; k <= 484; ++k) // the texels whose bin is 100
        EXPECT_GE(spectrumTexel(k), 250) << k;
    EXPECT_LT(spectrumTexel(300), 100);
    EXPECT_LT(spectrumTexel(1023), 100);
    EXPECT_EQ(live.soundTextureBytes()[481 * 4 + 3], spectrumTexel(481)) << "all four bytes of a texel are equal";

    auto high = sineOnBin(213);
    mix(high);
    EXPECT_GE(spectrumTexel(1023), 250) << "texel 1023 shows bin 213";
    EXPECT_LT(spectrumTexel(482), 100);
}

TEST_F(LiveMixTest, TheWaveformRowFollowsTheLeftChannel) {
    auto ramp = stereo([](int i) { return static_cast<int16_t>(i * 64 - 32768); });
    mix(ramp);
    EXPECT_EQ(waveformTexel(0), 0);
    EXPECT_EQ(waveformTexel(512), 128);
    EXPECT_EQ(waveformTexel(1023), (1023 * 64 - 32768) / 256 + 128);
}

TEST_F(LiveMixTest, LoudnessFollowsTheVolumeButTheRowsDoNot) {
    auto square = squareWave();
    mix(square);
    EXPECT_EQ(live.soundLevel(), 32767);
    const std::vector<uint8_t> rowsAtFullVolume(live.soundTextureBytes(),
                                                live.soundTextureBytes() + soundTextureByteCount);

    live.volume = 64;
    auto again = squareWave();
    mix(again);
    EXPECT_EQ(live.soundLevel(), 16383);
    EXPECT_EQ(again[0], -16383) << "the mix itself is scaled";
    EXPECT_EQ(std::vector<uint8_t>(live.soundTextureBytes(), live.soundTextureBytes() + soundTextureByteCount),
              rowsAtFullVolume);
}

TEST_F(LiveMixTest, LoudBassIsCappedNotWrapped) {
    auto offset = stereo([](int) { return static_cast<int16_t>(32767); });
    mix(offset);
    EXPECT_EQ(spectrumTexel(0), 255);
    EXPECT_EQ(spectrumTexel(4), 255);
}

TEST_F(LiveMixTest, ShortBuffersAreReadWithinBounds) {
    for (int length : {0, 2, 4, 8, 60}) {
        std::vector<int16_t> tiny(static_cast<size_t>(length / 2), 16384);
        live.analyseBuffer(tiny.data(), length);
        EXPECT_EQ(live.lastBufferBytes(), length);
    }
    EXPECT_EQ(waveformTexel(0), 16384 / 256 + 128) << "a single frame maps to texel 0";
}

} // namespace
