// Samples played by the real mixer on SDL's dummy audio driver.
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "audio/LiveMix.h"
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

// A sample's sound, decoded from `bytes`.
struct Sound {
    AudioSample sample;
    SampleSound sound;
    Sound(const char* name, const std::vector<uint8_t>& bytes) : sample(name, bytes) {
        sound.loadChunk(sample.audioBuffer->data);
    }
};

class SampleSoundTest : public ::testing::Test {
protected:
    LiveMix mix;

    void SetUp() override {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0) << SDL_GetError();
        ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
        Mix_VolumeMusic(128);
    }
    void TearDown() override {
        waitFor([this] { return !mix.ducking(); }, 2000);
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(SampleSoundTest, DurationComesFromTheDecodedLength) {
    Sound second("one second", toneWav(1.0));
    ASSERT_NE(second.sound.chunk, nullptr) << Mix_GetError();
    EXPECT_EQ(second.sound.chunk->alen, 192000u);
    EXPECT_EQ(second.sound.durationMs, 1000u);
    Sound tenth("a tenth", toneWav(0.1));
    EXPECT_EQ(tenth.sound.durationMs, 100u);
}

TEST_F(SampleSoundTest, PlayingLowersTheMusicUntilTheSampleEnds) {
    SampleSound kick;
    kick.loadChunk(toneWav(0.15));
    kick.play(mix);
    EXPECT_TRUE(kick.playing());
    EXPECT_EQ(Mix_VolumeMusic(-1), 100);
    EXPECT_EQ(Mix_Playing(-1), 1);
    kick.play(mix);
    EXPECT_EQ(Mix_Playing(-1), 1) << "a playing sample does not start again";

    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
    EXPECT_FALSE(kick.playing());
    kick.play(mix);
    EXPECT_TRUE(kick.playing()) << "playable again once played out";
}

TEST_F(SampleSoundTest, TheFirstSampleDecidesWhenTheMusicComesBack) {
    SampleSound shortOne;
    shortOne.loadChunk(toneWav(0.1));
    SampleSound longOne;
    longOne.loadChunk(toneWav(0.5));
    const Uint32 start = SDL_GetTicks();
    shortOne.play(mix);
    longOne.play(mix);
    EXPECT_EQ(Mix_Playing(-1), 2) << "both sound";
    ASSERT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
    EXPECT_LT(SDL_GetTicks() - start, 400u);
    EXPECT_TRUE(longOne.playing());
    EXPECT_TRUE(waitFor([&] { return !longOne.playing(); }, 1000))
        << "its mark clears after its own length, though another sample's timer restored the music";
}

TEST_F(SampleSoundTest, DeletingASampleWhileTheMusicIsLoweredIsSafe) {
    auto sample = std::make_unique<SampleSound>();
    sample->loadChunk(toneWav(0.1));
    sample->play(mix);
    sample.reset();
    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 1000));
}

TEST_F(SampleSoundTest, UndecodableBytesPlayNothing) {
    const std::vector<uint8_t> garbage(64, 0x5a);
    Sound broken("broken", garbage);
    EXPECT_EQ(broken.sound.chunk, nullptr);
    EXPECT_EQ(broken.sound.durationMs, 0u);
    broken.sound.play(mix);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_TRUE(waitFor([] { return Mix_VolumeMusic(-1) == 128; }, 500));

    Sound empty("empty", std::vector<uint8_t>());
    EXPECT_EQ(empty.sound.chunk, nullptr);
}

TEST_F(SampleSoundTest, ImportReadsTheFileAndKeepsItsPathAsName) {
    TempDir dir;
    dir.enter();
    const auto wav = toneWav(0.25);
    std::ofstream("kick.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    AudioSample imported("kick.wav");
    EXPECT_EQ(imported.name, "kick.wav");
    EXPECT_EQ(imported.audioBuffer->data, wav);
    AudioCache cache;
    EXPECT_EQ(cache.sound(imported).durationMs, 250u);
    EXPECT_THROW(AudioSample("missing.wav"), std::runtime_error);
}

TEST_F(SampleSoundTest, SamplesThatWouldDecodeToGigabytesAreRefused) {
    // A second of one-channel sound declared at 1 Hz: the mixer would stretch it
    // 48000 times to its own rate.
    std::vector<uint8_t> wav = makeWav(std::vector<int16_t>(48000, 1000), 48000, 1);
    for (size_t at : {size_t{24}, size_t{28}}) // sample rate, then byte rate
        for (size_t i = 0; i < 4; ++i)
            wav[at + i] = i == 0 ? (at == 24 ? 1 : 2) : 0;
    AudioSample hostile("resources/slow.wav", wav);
    AudioCache cache(&mix);
    EXPECT_EQ(cache.sound(hostile).chunk, nullptr);
    const std::vector<std::string> problems = cache.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("resources/slow.wav: The WAV file would decode to"), std::string::npos) << problems[0];
    cache.play(hostile);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SampleSoundTest, AnEditedSampleIsDecodedAgain) {
    AudioSample sample("kick", toneWav(0.1));
    AudioCache cache;
    EXPECT_EQ(cache.sound(sample).durationMs, 100u);
    sample.audioBuffer->data = toneWav(0.3);
    EXPECT_EQ(cache.sound(sample).durationMs, 100u) << "unchanged until the edit is marked";
    sample.edits.touch();
    EXPECT_EQ(cache.sound(sample).durationMs, 300u);
}

} // namespace
