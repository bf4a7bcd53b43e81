// Samples played by the real mixer on SDL's dummy audio driver.
#include "project/AudioSample.h"
#include "audio/AudioDevice.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

std::vector<uint8_t> toneWav(double seconds) {
    std::vector<int16_t> samples(static_cast<size_t>(seconds * 48000) * 2, 8000);
    return makeWav(samples, 48000, 2);
}

class AudioSampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0) << SDL_GetError();
        ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
        Mix_VolumeMusic(128);
    }
    void TearDown() override {
        waitFor([] { return !duckingPending(); }, 2000);
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(AudioSampleTest, DurationComesFromTheDecodedLength) {
    AudioSample second("one second", toneWav(1.0));
    ASSERT_NE(second.chunk, nullptr) << Mix_GetError();
    EXPECT_EQ(second.chunk->alen, 192000u);
    EXPECT_EQ(second.durationMs, 1000u);
    AudioSample tenth("a tenth", toneWav(0.1));
    EXPECT_EQ(tenth.durationMs, 100u);
}

TEST_F(AudioSampleTest, PlayingLowersTheMusicUntilTheSampleEnds) {
    AudioSample kick("kick", toneWav(0.15));
    kick.play();
    EXPECT_TRUE(kick.playing());
    EXPECT_EQ(Mix_VolumeMusic(-1), 100);
    EXPECT_EQ(Mix_Playing(-1), 1);
    kick.play();
    EXPECT_EQ(Mix_Playing(-1), 1) << "a playing sample does not start again";

    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
    EXPECT_FALSE(kick.playing());
    kick.play();
    EXPECT_TRUE(kick.playing()) << "playable again once played out";
}

TEST_F(AudioSampleTest, TheFirstSampleDecidesWhenTheMusicComesBack) {
    AudioSample shortOne("short", toneWav(0.1));
    AudioSample longOne("long", toneWav(0.5));
    const Uint32 start = SDL_GetTicks();
    shortOne.play();
    longOne.play();
    EXPECT_EQ(Mix_Playing(-1), 2) << "both sound";
    ASSERT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
    EXPECT_LT(SDL_GetTicks() - start, 400u);
    EXPECT_TRUE(longOne.playing());
    EXPECT_TRUE(waitFor([&] { return !longOne.playing(); }, 1000))
        << "its mark clears after its own length, though another sample's timer restored the music";
}

TEST_F(AudioSampleTest, DeletingASampleWhileTheMusicIsLoweredIsSafe) {
    auto sample = std::make_unique<AudioSample>("gone", toneWav(0.1));
    sample->play();
    sample.reset();
    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
}

TEST_F(AudioSampleTest, UndecodableBytesPlayNothing) {
    const std::vector<uint8_t> garbage(64, 0x5a);
    AudioSample broken("broken", garbage);
    EXPECT_EQ(broken.chunk, nullptr);
    EXPECT_EQ(broken.durationMs, 0u);
    broken.play();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 500));

    AudioSample empty("empty", std::vector<uint8_t>());
    EXPECT_EQ(empty.chunk, nullptr);
}

TEST_F(AudioSampleTest, ImportReadsTheFileAndKeepsItsPathAsName) {
    TempDir dir;
    dir.enter();
    const auto wav = toneWav(0.25);
    std::ofstream("kick.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    AudioSample imported("kick.wav");
    EXPECT_EQ(imported.name, "kick.wav");
    EXPECT_EQ(imported.durationMs, 250u);
    EXPECT_EQ(imported.audioBuffer->data, wav);
    EXPECT_THROW(AudioSample("missing.wav"), std::runtime_error);
}

} // namespace
