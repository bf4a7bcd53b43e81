// The clock moves the real music stream. The mixer runs on SDL's dummy driver and
// plays a ramp whose left channel reads 1000 + the position in milliseconds, so the
// mixed output tells where the music is. SDL_mixer's WAV decoder seeks to whole
// seconds and plays a few buffered blocks before a seek is heard, so the tests seek
// to whole seconds and look for the target among the next blocks.
#include "audio/AudioDevice.h"
#include "composition/BeatClock.h"
#include "project/Demo.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>

namespace {

constexpr int blocksHeard = 16;
std::atomic<int> blockStartMs[blocksHeard];
std::atomic<int> blockCount{blocksHeard};

// Post-mix hook: the music position at the start of each block, once listening.
void listen(void*, Uint8* stream, int length) {
    const int block = blockCount;
    if (length < 2 || block >= blocksHeard)
        return;
    int16_t first = 0;
    SDL_memcpy(&first, stream, sizeof first);
    blockStartMs[block] = first - 1000;
    blockCount = block + 1;
}

std::vector<uint8_t> makePositionRamp(int seconds) {
    std::vector<int16_t> samples;
    for (int frame = 0; frame < seconds * 48000; ++frame) {
        samples.push_back(static_cast<int16_t>(1000 + frame / 48));
        samples.push_back(0);
    }
    return makeWav(samples, 48000, 2);
}

class MusicTransportTest : public ::testing::Test {
protected:
    Demo demo;
    BeatClock clock;
    std::vector<uint8_t> wav = makePositionRamp(31);
    Mix_Music* music = nullptr;

    void SetUp() override {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0) << SDL_GetError();
        ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
        music = Mix_LoadMUS_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
        ASSERT_NE(music, nullptr) << Mix_GetError();
        Mix_SetPostMix(listen, nullptr);
        ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
        clock.anchor();
    }
    void TearDown() override {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        Mix_CloseAudio();
        SDL_Quit();
    }

    // Seeks while paused, resumes, and tells whether the mixer then plays from `ms`.
    bool playsFromAfterSeeking(float beat, int ms) {
        clock.togglePause(demo);
        clock.seekToBeat(demo, beat);
        blockCount = 0;
        clock.togglePause(demo);
        for (int waited = 0; blockCount < blocksHeard && waited < 3000; waited += 5)
            SDL_Delay(5);
        for (const auto& start : blockStartMs)
            if (start == ms)
                return true;
        return false;
    }
};

TEST_F(MusicTransportTest, DeviceRunsAtTheFixedFormat) {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, 48000);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
}

TEST_F(MusicTransportTest, PauseAndResumeFollowTheClock) {
    clock.togglePause(demo);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    clock.togglePause(demo);
    EXPECT_EQ(Mix_PausedMusic(), 0);
}

TEST_F(MusicTransportTest, SeeksMoveTheMusic) {
    demo.bpm = 60.0f;
    demo.beat_offset = 1.0f;
    EXPECT_TRUE(playsFromAfterSeeking(2.0f, 3000));
    EXPECT_TRUE(playsFromAfterSeeking(28.0f, 29000));
    EXPECT_TRUE(playsFromAfterSeeking(-2.0f, 0)) << "never before the start of the music";
}

} // namespace
