// quillfront-tool render run as a user runs it: the real tool (and the renderer
// it runs) on the bundled example, its files read back with ffprobe and ffmpeg.
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "composition/OfflineComposer.h"
#include "project/FileIo.h"
#include "support/GlWindow.h"
#include "support/Shell.h"
#include "support/TempDir.h"
#include "tool/ProjectFile.h"

#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string example = QUILLFRONT_EXAMPLE "/content.dat.json";
constexpr int width = 320;
constexpr int height = 180;
constexpr int fps = 30;

Finished render(const std::string& out, const std::string& options, const std::string& project = example) {
    return runShell(std::string(QUILLFRONT_TOOL) + " render '" + project + "' '" + out + "' --size 320x180 --fps 30 " +
                    options);
}

// File name to contents, for every file in `folder`.
std::map<std::string, std::string> filesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = tryReadWholeFile(entry.path()).value();
    return files;
}

std::string wavData(const std::string& wav) { return wav.substr(44); }

// The example composed here, as the renderer composes it, from its first frame.
class ExampleComposer {
public:
    ExampleComposer() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_AUDIO);
        openAudioDevice();
        TTF_Init();
        fs::current_path(QUILLFRONT_EXAMPLE);
        demo_ = loadProjectFile("content.dat.json").demo;
        renderCache_.build(*demo_, {width, height});
        audioCache_.build(*demo_);
        std::string problem;
        mix_ = std::make_unique<OfflineMix>(decodeMusic(demo_->music->data, problem), audioCache_);
        composer_ = std::make_unique<OfflineComposer>(*demo_, renderCache_, *mix_, FrameGrid{{120.0, 0.0}, fps},
                                                      ScreenSize{width, height}, mixRate);
    }
    ~ExampleComposer() { Mix_CloseAudio(); }

    // The picture of `frame`, RGB, top row first.
    std::vector<uint8_t> frameAt(int64_t frame) {
        for (; next_ <= frame; ++next_)
            composer_->compose(next_);
        std::vector<uint8_t> rgb;
        composer_->readPixels(rgb);
        return rgb;
    }

private:
    std::unique_ptr<Demo> demo_;
    RenderCache renderCache_;
    AudioCache audioCache_;
    std::unique_ptr<OfflineMix> mix_;
    std::unique_ptr<OfflineComposer> composer_;
    int64_t next_ = 0;
};

double meanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(a[i] - b[i]);
    return sum / static_cast<double>(a.size());
}

class RenderTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(RenderTest, StandardOutputHoldsOnlyTheResultsAndTheLoadersLinesGoToStandardError) {
    const std::string out = (dir.path() / "out.demo").string();
    // The JSON form's resources are read from the working folder.
    const std::string convert = "cd " + fs::path(example).parent_path().string() + " && " + QUILLFRONT_TOOL +
                                " convert content.dat.json '" + out + "'";
    EXPECT_EQ(runShell("(" + convert + " 2>/dev/null)").output, "wrote " + out + "\n");
    const Finished logged = runShell("(" + convert + " >/dev/null)");
    EXPECT_NE(logged.output.find("Loading file resources/sky.frag"), std::string::npos) << logged.output;

    const Finished rendered = render((dir.path() / "frames").string(), "--from 40 --to 41");
    ASSERT_EQ(rendered.status, 0) << rendered.output;
    EXPECT_LT(rendered.output.rfind("Loading file"), rendered.output.find("rendered 30 frames"))
        << "the closing line comes last: " << rendered.output;
}

TEST_F(RenderTest, AnMp4HoldsTwoSecondsOfPictureAndSoundShowingTheComposedFrames) {
    const std::string video = (dir.path() / "demo.mp4").string();
    const Finished rendered = render(video, "--from 40 --to 44");
    ASSERT_EQ(rendered.status, 0) << rendered.output;
    EXPECT_NE(rendered.output.find("rendered 60 frames (beats 40 to 44)"), std::string::npos) << rendered.output;

    const Finished streams =
        runShell("ffprobe -v error -show_entries stream=codec_type,duration -of csv=p=0 '" + video + "'");
    ASSERT_EQ(streams.status, 0) << streams.output;
    std::istringstream lines(streams.output);
    std::map<std::string, std::vector<double>> durations;
    for (std::string line; std::getline(lines, line);)
        durations[line.substr(0, line.find(','))].push_back(std::stod(line.substr(line.find(',') + 1)));
    ASSERT_EQ(durations["video"].size(), 1u) << streams.output;
    ASSERT_EQ(durations["audio"].size(), 1u) << streams.output;
    EXPECT_NEAR(durations["video"][0], 2.0, 1.0 / fps);
    EXPECT_NEAR(durations["audio"][0], 2.0, 1.0 / fps);

    // Frame 25 of the video is frame 625 of the demo (beat 40 is 20 s in).
    const std::string decoded = (dir.path() / "frame.rgb").string();
    const Finished extracted = runShell("ffmpeg -v error -i '" + video + "' -vf 'select=eq(n\\,25)' -frames:v 1 " +
                                        "-f rawvideo -pix_fmt rgb24 '" + decoded + "'");
    ASSERT_EQ(extracted.status, 0) << extracted.output;
    const std::string bytes = tryReadWholeFile(decoded).value();
    const std::vector<uint8_t> fromVideo(bytes.begin(), bytes.end());
    ASSERT_EQ(fromVideo.size(), size_t{width * height * 3});

    GlWindow window(width, height);
    ASSERT_TRUE(window.ok()) << window.error();
    ExampleComposer composer;
    const std::vector<uint8_t> before = composer.frameAt(615);
    const std::vector<uint8_t> composed = composer.frameAt(625);
    EXPECT_LT(meanDifference(fromVideo, composed), 6.0) << "the codec's loss only";
    EXPECT_GT(meanDifference(fromVideo, before), 2.0 * meanDifference(fromVideo, composed))
        << "a frame a third of a second earlier is told apart";
}

// A span rendered on its own first catches up what carries over from frame to
// frame: in the example, the trails' feedback from beat 24 on. Its frames are
// those of the whole render, with that feedback and without it.
TEST_F(RenderTest, FolderRendersRepeatExactlyAndSpansRenderedApartJoin) {
    const fs::path withoutFeedback = dir.path() / "without-feedback";
    fs::copy(QUILLFRONT_EXAMPLE, withoutFeedback, fs::copy_options::recursive);
    std::string json = tryReadWholeFile(withoutFeedback / "content.dat.json").value();
    json.replace(json.find("\"feedback\": true"), 16, "\"feedback\": false");
    ASSERT_FALSE(writeWholeFile(withoutFeedback / "content.dat.json", json));

    for (const fs::path& project : {fs::path(example), withoutFeedback / "content.dat.json"}) {
        SCOPED_TRACE(project.string());
        const fs::path out = dir.path() / project.parent_path().filename();
        const fs::path whole = out / "whole";
        const fs::path again = out / "again";
        for (const fs::path& folder : {whole, again}) {
            const Finished rendered = render(folder.string(), "--from 30 --to 32", project.string());
            ASSERT_EQ(rendered.status, 0) << rendered.output;
        }
        const fs::path first = out / "first";
        const fs::path second = out / "second";
        ASSERT_EQ(render(first.string(), "--from 30 --to 31", project.string()).status, 0);
        ASSERT_EQ(render(second.string(), "--to 32 --from 31", project.string()).status, 0);

        const std::map<std::string, std::string> wholeFiles = filesIn(whole);
        EXPECT_EQ(wholeFiles.size(), 31u) << "30 frames and the sound";
        EXPECT_TRUE(wholeFiles.contains("frame-000450.png")) << "numbered by the frame's place in the demo";
        EXPECT_EQ(filesIn(again), wholeFiles);

        std::map<std::string, std::string> joined = filesIn(first);
        const std::map<std::string, std::string> secondFiles = filesIn(second);
        const std::string sound = wavData(joined["sound.wav"]) + wavData(secondFiles.at("sound.wav"));
        EXPECT_EQ(sound, wavData(wholeFiles.at("sound.wav")));
        for (const auto& [name, contents] : secondFiles)
            if (name != "sound.wav")
                joined[name] = contents;
        joined["sound.wav"] = wholeFiles.at("sound.wav");
        EXPECT_EQ(joined, wholeFiles);
    }
}

// The 15 frames of beats 30 to 31 in four parts: 3, 4, 4 and 4 frames, each
// once, with their stretches of the sound.
TEST_F(RenderTest, PartsSplitTheSpanIntoNearEqualRangesThatJoin) {
    const fs::path whole = dir.path() / "whole";
    ASSERT_EQ(render(whole.string(), "--from 30 --to 31").status, 0);
    std::map<std::string, std::string> joined;
    std::string sound;
    for (int part = 1; part <= 4; ++part) {
        const fs::path out = dir.path() / ("part" + std::to_string(part));
        const Finished rendered = render(out.string(), "--from 30 --to 31 --part " + std::to_string(part) + "/4");
        ASSERT_EQ(rendered.status, 0) << rendered.output;
        std::map<std::string, std::string> files = filesIn(out);
        EXPECT_EQ(files.size(), part == 1 ? 4u : 5u) << "part " << part << ": its frames and its sound";
        sound += wavData(files["sound.wav"]);
        files.erase("sound.wav");
        joined.merge(files);
    }
    std::map<std::string, std::string> wholeFiles = filesIn(whole);
    EXPECT_EQ(sound, wavData(wholeFiles["sound.wav"]));
    wholeFiles.erase("sound.wav");
    EXPECT_EQ(joined, wholeFiles);

    const Finished wrong = render((dir.path() / "wrong").string(), "--part 5/4");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.output.find("--part wants K/N"), std::string::npos) << wrong.output;
    const Finished empty = render((dir.path() / "empty").string(), "--from 30 --to 31 --part 1/16");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.output.find("part 1 of 16 holds no frame: the span has only 15 frames"), std::string::npos)
        << empty.output;
}

TEST_F(RenderTest, FailuresSayWhyWithStatus1AndLeaveNoFile) {
    const std::string video = (dir.path() / "demo.mp4").string();
    Finished failed = render(video, "--to 500");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("--to 500 lies past the demo's end beat (100)"), std::string::npos) << failed.output;

    failed = runShell("PATH=" + dir.path().string() + " " + QUILLFRONT_TOOL + " render " + example + " " + video +
                      " --size 320x180 --to 1");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("ffmpeg was not found"), std::string::npos) << failed.output;

    ASSERT_FALSE(writeWholeFile(dir.path() / "plain", std::string_view("not a folder")));
    failed = render((dir.path() / "plain" / "demo.mp4").string(), "--to 1");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("cannot be written"), std::string::npos) << failed.output;
    failed = render((dir.path() / "plain" / "frames").string(), "--to 1");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find("cannot be made"), std::string::npos) << failed.output;

    EXPECT_EQ(filesIn(dir.path()).size(), 1u) << "only the plain file: nothing half-written";
}

} // namespace
