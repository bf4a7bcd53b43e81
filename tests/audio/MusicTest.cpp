// The project's music through the real mixer on SDL's dummy driver, with the
// analysis hook reading what the mixer outputs.
#include "audio/Music.h"
#include "audio/AudioDevice.h"
#include "audio/SampleSound.h"
#include "audio/SoundAnalysis.h"
#include "project/ByteBuffer.h"
#include "support/WaitFor.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

ByteBuffer squareWaveMusic(double seconds) {
    std::vector<int16_t> samples;
    for (size_t frame = 0; frame < static_cast<size_t>(seconds * 48000); ++frame) {
        const int16_t value = (frame / 24) % 2 ? 32767 : -32767;
        samples.push_back(value);
        samples.push_back(value);
    }
    return ByteBuffer(makeWav(samples, 48000, 2));
}

void openAudio() {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0 || !openAudioDevice())
        std::abort();
    createFftConfig();
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        openAudio();
        musicVolume = 128;
    }
    void TearDown() override {
        startMusic(ByteBuffer(), false);
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(MusicTest, TheMixIsAnalysedAndScaledByTheVolume) {
    const ByteBuffer music = squareWaveMusic(5.0);
    startMusic(music, true);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    ASSERT_TRUE(waitFor([] { return soundLevel() == 32767; }, 2000)) << soundLevel();
    EXPECT_EQ(lastMixBytes, 4096) << "1024 frames a buffer";

    musicVolume = 64;
    EXPECT_TRUE(waitFor([] { return soundLevel() == 16383; }, 2000)) << soundLevel();
    musicVolume = 0;
    EXPECT_TRUE(waitFor([] { return soundLevel() == 0; }, 2000)) << soundLevel();
}

TEST_F(MusicTest, NewMusicReplacesTheOld) {
    auto first = std::make_unique<ByteBuffer>(squareWaveMusic(5.0));
    startMusic(*first, true);
    const ByteBuffer second = squareWaveMusic(5.0);
    startMusic(second, false);
    first.reset(); // the old music no longer reads it
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    SDL_Delay(100);

    startMusic(ByteBuffer(), true);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "a project without music is silent";
}

TEST_F(MusicTest, UndecodableMusicPlaysNothing) {
    ByteBuffer garbage;
    garbage.data.assign(1000, 0x42);
    startMusic(garbage, true);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST(MusicWithoutTrackTest, WithoutMusicTheMixIsNeverAnalysed) {
    // In a fresh process: the hook, once installed, stays for the life of a process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            openAudio();
            startMusic(ByteBuffer(), true);
            std::vector<int16_t> tone(48000 / 5 * 2, 20000);
            SampleSound sample;
            sample.loadChunk(makeWav(tone, 48000, 2));
            sample.play();
            SDL_Delay(300);
            const uint8_t* rows = soundTextureBytes();
            const bool untouched =
                std::all_of(rows, rows + soundTextureByteCount, [](uint8_t byte) { return byte == 0; });
            std::_Exit(untouched && soundLevel() == 0 && lastMixBytes == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
