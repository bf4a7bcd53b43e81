// The project's music through the real mixer on SDL's dummy driver, with the
// analysis hook reading what the mixer outputs.
#include "audio/Music.h"
#include "audio/AudioDevice.h"
#include "audio/LiveMix.h"
#include "audio/SampleSound.h"
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
}

class MusicTest : public ::testing::Test {
protected:
    LiveMix mix;

    void SetUp() override { openAudio(); }
    void TearDown() override {
        startMusic(mix, ByteBuffer(), false);
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(MusicTest, TheMixIsAnalysedAndScaledByTheVolume) {
    const ByteBuffer music = squareWaveMusic(5.0);
    startMusic(mix, music, true);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    ASSERT_TRUE(waitFor([this] { return mix.soundLevel() == 32767; }, 2000)) << mix.soundLevel();
    EXPECT_EQ(mix.lastBufferBytes(), 4096) << "1024 frames a buffer";

    mix.volume = 64;
    EXPECT_TRUE(waitFor([this] { return mix.soundLevel() == 16383; }, 2000)) << mix.soundLevel();
    mix.volume = 0;
    EXPECT_TRUE(waitFor([this] { return mix.soundLevel() == 0; }, 2000)) << mix.soundLevel();
}

TEST_F(MusicTest, NewMusicReplacesTheOld) {
    auto first = std::make_unique<ByteBuffer>(squareWaveMusic(5.0));
    startMusic(mix, *first, true);
    const ByteBuffer second = squareWaveMusic(5.0);
    startMusic(mix, second, false);
    first.reset(); // the old music no longer reads it
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    SDL_Delay(100);

    startMusic(mix, ByteBuffer(), true);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "a project without music is silent";
}

TEST_F(MusicTest, UndecodableMusicPlaysNothing) {
    ByteBuffer garbage;
    garbage.data.assign(1000, 0x42);
    startMusic(mix, garbage, true);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicTest, WithoutMusicTheMixIsNeverAnalysed) {
    startMusic(mix, ByteBuffer(), true);
    std::vector<int16_t> tone(48000 / 5 * 2, 20000);
    SampleSound sample;
    sample.loadChunk(makeWav(tone, 48000, 2));
    sample.play(mix);
    SDL_Delay(300);
    const uint8_t* rows = mix.soundTextureBytes();
    EXPECT_TRUE(std::all_of(rows, rows + soundTextureByteCount, [](uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(mix.soundLevel(), 0);
    EXPECT_EQ(mix.lastBufferBytes(), 0);
}

} // namespace
