// The mix a render writes: the music, each sample from the frame that started
// it, the music lowered while a sample plays, clipped like the mixer.
#include "audio/OfflineMix.h"
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

constexpr int16_t musicValue = 1000;
constexpr int16_t sampleValue = 300;
constexpr int64_t sampleFrames = 480; // 10 ms
constexpr int16_t duckedMusic = musicValue * 100 / 128;

class OfflineMixTest : public ::testing::Test {
protected:
    AudioSample sample{"click.wav", makeWav(std::vector<int16_t>(sampleFrames * 2, sampleValue), 48000, 2)};
    AudioCache sounds;

    void SetUp() override {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
    }
    void TearDown() override {
        sounds = AudioCache();
        Mix_CloseAudio();
        SDL_Quit();
    }
    // The left channel of `count` frames from `first`.
    static std::vector<int16_t> left(const OfflineMix& mix, int64_t first, int64_t count) {
        std::vector<int16_t> both(static_cast<size_t>(count) * 2);
        mix.mix(first, count, both.data());
        std::vector<int16_t> values;
        for (size_t i = 0; i < both.size(); i += 2)
            values.push_back(both[i]);
        return values;
    }
};

TEST_F(OfflineMixTest, ASampleSoundsFromItsFrameOverLoweredMusicAndIsNotRestartedWhilePlaying) {
    OfflineMix mix(std::vector<int16_t>(48000 * 2, musicValue), sounds);
    mix.setPosition(1000);
    mix.play(sample);
    mix.setPosition(1000 + sampleFrames / 2);
    mix.play(sample); // still playing: ignored
    const std::vector<int16_t> values = left(mix, 990, sampleFrames + 20);
    EXPECT_EQ(values[9], musicValue) << "before the start, untouched";
    EXPECT_EQ(values[10], duckedMusic + sampleValue) << "from the frame that started it";
    EXPECT_EQ(values[10 + sampleFrames / 2], duckedMusic + sampleValue) << "one sound, not two";
    EXPECT_EQ(values[10 + sampleFrames], musicValue) << "the music comes back when the sample ends";

    mix.setPosition(1000 + sampleFrames);
    mix.play(sample); // played out: starts again
    EXPECT_EQ(left(mix, 1000 + sampleFrames, 1)[0], duckedMusic + sampleValue);
}

TEST_F(OfflineMixTest, OutsideTheMusicIsSilenceAndLoudSumsClip) {
    OfflineMix mix(std::vector<int16_t>(100 * 2, 32000), sounds);
    EXPECT_EQ(left(mix, -5, 5), std::vector<int16_t>(5, 0));
    EXPECT_EQ(left(mix, 100, 5), std::vector<int16_t>(5, 0));
    AudioSample loud{"loud.wav", makeWav(std::vector<int16_t>(200, 20000), 48000, 2)};
    mix.setPosition(50);
    mix.play(loud);
    EXPECT_EQ(left(mix, 50, 1)[0], 32767);
}

} // namespace
