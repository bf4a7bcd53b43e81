// The real output of the mixer, captured by SDL's disk audio driver (which plays
// in real time into a file): the project's MP3 music, the master volume and the
// ducking of the music under a sample.
#include "audio/AudioDevice.h"
#include "audio/LiveMix.h"
#include "audio/Music.h"
#include "audio/SampleSound.h"
#include "project/ByteBuffer.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr int framesPerMs = 48;

// Root mean square of the left channel over [fromMs, toMs) of the captured output.
double loudness(const std::vector<int16_t>& output, uint32_t fromMs, uint32_t toMs) {
    double sum = 0.0;
    size_t count = 0;
    for (size_t frame = fromMs * framesPerMs; frame < toMs * framesPerMs && 2 * frame < output.size(); ++frame) {
        sum += static_cast<double>(output[2 * frame]) * output[2 * frame];
        ++count;
    }
    return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

// The mixer's output, written into a file of the test's own folder.
class DiskAudioTest : public ::testing::Test {
protected:
    TempDir dir;
    LiveMix mix;
    const std::string capture = (dir.path() / "output.raw").string();

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0) << SDL_GetError();
        ASSERT_TRUE(openAudioDevice()) << Mix_GetError();
    }
    // Closes the mixer and returns what it played, interleaved stereo.
    std::vector<int16_t> closeAndReadOutput() {
        Mix_CloseAudio();
        SDL_Quit();
        std::ifstream in(capture, std::ios::binary);
        const std::vector<char> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<int16_t> output(raw.size() / 2);
        std::memcpy(output.data(), raw.data(), output.size() * 2);
        return output;
    }
};

TEST_F(DiskAudioTest, MusicPlaysScaledByTheVolumeAndDucksUnderASample) {
    const Uint32 opened = SDL_GetTicks();

    std::optional<ByteBuffer> music = ByteBuffer::fromFile(std::string(QUILLFRONT_TEST_DATA) + "/tone-440hz-3s.mp3");
    ASSERT_TRUE(music);
    SampleSound hush;
    hush.loadChunk(makeWav(std::vector<int16_t>(48000 * 2 * 4 / 10, 0), 48000, 2)); // 400 ms
    ASSERT_EQ(hush.durationMs, 400u);

    startMusic(mix, *music, false);
    const Uint32 full = SDL_GetTicks() - opened;
    SDL_Delay(600);
    mix.volume = 64;
    const Uint32 half = SDL_GetTicks() - opened;
    SDL_Delay(600);
    mix.volume = 128;
    hush.play(mix);
    const Uint32 ducked = SDL_GetTicks() - opened;
    SDL_Delay(900);
    const std::vector<int16_t> output = closeAndReadOutput();

    const double atFull = loudness(output, full + 150, full + 500);
    EXPECT_GT(atFull, 5000.0) << "the music is heard";
    EXPECT_NEAR(loudness(output, half + 150, half + 500) / atFull, 0.5, 0.05) << "volume 64 of 128";
    EXPECT_NEAR(loudness(output, ducked + 100, ducked + 300) / atFull, 100.0 / 128.0, 0.05) << "under the sample";
    EXPECT_NEAR(loudness(output, ducked + 550, ducked + 850) / atFull, 1.0, 0.05) << "back after 400 ms";
}

// The bundled example's music, played from beat 20 (bass, kick and hi-hats).
TEST_F(DiskAudioTest, TheExamplesMusicIsHeardAndLastsTheDemo) {
    std::optional<ByteBuffer> music = ByteBuffer::fromFile(std::string(QUILLFRONT_EXAMPLE) + "/resources/music.mp3");
    ASSERT_TRUE(music);
    const Uint32 opened = SDL_GetTicks();
    EXPECT_EQ(startMusic(mix, *music, false), std::nullopt);
    Mix_SetMusicPosition(10.0); // beat 20 at 120 BPM
    const Uint32 started = SDL_GetTicks() - opened;
    SDL_Delay(800);
    Mix_Music* probe = Mix_LoadMUS_RW(SDL_RWFromConstMem(music->data.data(), static_cast<int>(music->size())), 1);
    const double seconds = Mix_MusicDuration(probe);
    Mix_FreeMusic(probe);
    stopMusic();
    const std::vector<int16_t> output = closeAndReadOutput();
    EXPECT_GT(loudness(output, started + 100, started + 700), 2000.0) << "the music is heard";
    EXPECT_GE(seconds, 50.0) << "it plays until the demo's end beat, 100 at 120 BPM";
    EXPECT_LE(seconds, 60.0);
}

} // namespace
