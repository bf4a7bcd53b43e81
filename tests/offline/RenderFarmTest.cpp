// A render split into parts on the schedulers people run, through the real
// scripts: a Slurm cluster of this machine and GNU parallel's local job slots.
// Each joined video is checked against a single render of the same span.
#include "platform/Platform.h"
#include "project/FileIo.h"
#include "support/Shell.h"
#include "support/TempDir.h"
#include "tool/PartLabel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string example = QUILLFRONT_EXAMPLE "/content.dat.json";
const std::string scripts = QUILLFRONT_SOURCE "/scripts/farm/";
// 120 frames; the trails' feedback starts at beat 24, in the second part of four.
const std::string size = "320x180";
const std::string span = "--from 22 --to 30";

// Waits up to `seconds` for `done`, checking every `interval` milliseconds.
template <typename Condition> bool waitUpTo(double seconds, Condition done, int interval = 100) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(interval));
    }
    return true;
}

std::string decoded(const fs::path& video, const std::string& what, const fs::path& into) {
    const std::string options = what == "luma" ? "-map 0:v -f rawvideo -pix_fmt gray" : "-map 0:a -f s16le";
    const Finished done = runShell("ffmpeg -v error -y -i " + quoted(video) + " " + options + " " + quoted(into));
    EXPECT_EQ(done.status, 0) << done.output;
    return tryReadWholeFile(into).value_or("");
}

double meanDifference(const std::string& a, const std::string& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(static_cast<uint8_t>(a[i]) - static_cast<uint8_t>(b[i]));
    return sum / static_cast<double>(a.size());
}

// A daemon that a script in tests/offline/ starts with its files in `folder`,
// stopped again when this goes.
struct TestDaemon {
    TestDaemon(const std::string& script, fs::path in)
        : control(QUILLFRONT_SOURCE "/tests/offline/" + script + " "), folder(std::move(in)),
          started(runShell(control + "start " + quoted(folder))) {}
    ~TestDaemon() { runShell(control + "stop " + quoted(folder)); }

    const std::string control;
    const fs::path folder;
    const Finished started;
};

class RenderFarmTest : public ::testing::Test {
protected:
    fs::path in(const std::string& name) const { return dir.path() / name; }

    // The joined video holds the parts' frames as they are, and those of a
    // single render within the encoder's loss; its sound is the single render's.
    void expectSameAsOneRender(const fs::path& joined, int parts) {
        const fs::path single = in("single.mp4");
        const Finished rendered = runShell(std::string(QUILLFRONT_TOOL) + " render " + quoted(example) + " " +
                                           quoted(single) + " --size " + size + " --fps 30 " + span);
        ASSERT_EQ(rendered.status, 0) << rendered.output;
        const std::string singleLuma = decoded(single, "luma", in("single.y"));
        const std::string joinedLuma = decoded(joined, "luma", in("joined.y"));
        ASSERT_EQ(joinedLuma.size(), singleLuma.size()) << "the same frame count";
        EXPECT_EQ(joinedLuma.size(), 120u * 320 * 180);
        EXPECT_LT(meanDifference(joinedLuma, singleLuma), 1.0);

        std::string partsLuma;
        for (int part = 1; part <= parts; ++part)
            partsLuma += decoded(joined.parent_path() / "out.parts" / ("part-" + std::to_string(part) + ".mov"), "luma",
                                 in("part.y"));
        EXPECT_TRUE(joinedLuma == partsLuma) << "the parts' video, not encoded again";

        EXPECT_TRUE(decoded(joined, "sound", in("joined.pcm")) == decoded(single, "sound", in("single.pcm")))
            << "the same samples through the same encoder";
    }

    TempDir dir;
};

TEST_F(RenderFarmTest, ASlurmJobArrayAndItsDependentJoinMakeTheVideoOfOneRender) {
    const fs::path cluster = in("cluster");
    const TestDaemon slurm("slurm-cluster.sh", cluster);
    ASSERT_EQ(slurm.started.status, 0) << slurm.started.output;

    const std::string environment =
        "SLURM_CONF=" + quoted(cluster / "slurm.conf") + " QUILLFRONT_TOOL=" + quoted(QUILLFRONT_TOOL) + " ";
    const fs::path out = in("out.mp4");
    const Finished submitted = runShell(environment + scripts + "slurm-render.sh " + quoted(example) + " " +
                                        quoted(out) + " " + size + " 30 4 " + span);
    ASSERT_EQ(submitted.status, 0) << submitted.output;
    EXPECT_NE(submitted.output.find("parts: job array"), std::string::npos) << submitted.output;
    ASSERT_TRUE(waitUpTo(90, [&] { return runShell(environment + "squeue -h").output.empty(); }))
        << runShell(environment + "squeue").output;
    ASSERT_TRUE(fs::exists(out)) << tryReadWholeFile(in("out.parts/join.log")).value_or("no join log");
    EXPECT_NE(tryReadWholeFile(in("out.parts/part-4.log")).value_or("").find("rendering [####"), std::string::npos)
        << "each part's log shows its progress";
    expectSameAsOneRender(out, 4);
}

// Two job slots; part 2 is killed while it renders. The join refuses, naming
// it, and the same line run again renders that part alone and joins.
TEST_F(RenderFarmTest, GnuParallelOnLocalSlotsRendersAKilledPartAgainWhenRunAgain) {
    const fs::path out = in("out.mp4");
    const fs::path parts = in("out.parts");
    const fs::path part2 = parts / "part-2.mov";
    const std::string line = "QUILLFRONT_JOBS=2 QUILLFRONT_TOOL=" + quoted(QUILLFRONT_TOOL) + " " + scripts +
                             "parallel-render.sh " + quoted(example) + " " + quoted(out) + " " + size + " 30 4 " + span;
    const fs::path log = in("first.log");
    const fs::path status = in("first.status");
    ASSERT_EQ(std::system(("(" + line + " >" + quoted(log) + " 2>&1; echo $? >" + quoted(status) + ") &").c_str()), 0);

    int renderer = 0;
    ASSERT_TRUE(waitUpTo(
        30,
        [&] {
            for (const FolderEntry& entry : listFolder(parts.string()))
                if (const std::optional<OutputWriter> writer = writerOf(part2, entry.name))
                    renderer = writer->id;
            return renderer != 0;
        },
        5));
    ::kill(renderer, SIGSTOP);
    const std::string join = std::string(QUILLFRONT_TOOL) + " join " + quoted(part2) + " " + quoted(in("early.mp4"));
    Finished early = runShell(join);
    EXPECT_EQ(early.status, 1);
    EXPECT_NE(early.output.find("part-2.mov: running (process " + std::to_string(renderer) + ")"), std::string::npos)
        << early.output;
    ::kill(renderer, SIGKILL);

    ASSERT_TRUE(waitUpTo(60, [&] { return fs::exists(status); }));
    EXPECT_NE(tryReadWholeFile(status).value_or(""), "0\n");
    const std::string refused = tryReadWholeFile(log).value_or("");
    EXPECT_NE(refused.find("cannot join yet: 3 of 4 parts are done"), std::string::npos) << refused;
    EXPECT_NE(refused.find("part 2 of 4 (frames 360 to 390): not done"), std::string::npos) << refused;
    EXPECT_NE(refused.find("part-2.mov: missing"), std::string::npos) << refused;
    EXPECT_FALSE(fs::exists(out));

    const Finished again = runShell(line);
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_NE(again.output.find("rendered 30 frames (beats 24 to 26)"), std::string::npos) << again.output;
    EXPECT_EQ(again.output.find("(beats 22 to 24)"), std::string::npos) << "only the killed part: " << again.output;
    for (const FolderEntry& entry : listFolder(parts.string()))
        EXPECT_NE(entry.name[0], '.') << "the killed render's unfinished files are gone: " << entry.name;
    expectSameAsOneRender(out, 4);
}

// A host over ssh (this machine's own sshd, as another host would be): it gets
// the project as one file in a folder of its own and sends its parts back.
TEST_F(RenderFarmTest, GnuParallelOverSshSendsTheProjectAndTakesThePartsBack) {
    const fs::path host = in("host");
    const TestDaemon sshd("ssh-host.sh", host);
    ASSERT_EQ(sshd.started.status, 0) << sshd.started.output;

    const fs::path out = in("out.mp4");
    const Finished rendered =
        runShell("PARALLEL_SSH=" + quoted(tryReadWholeFile(host / "ssh-command").value_or("")) +
                 " QUILLFRONT_HOSTS=2/127.0.0.1 QUILLFRONT_TOOL=" + quoted(QUILLFRONT_TOOL) + " " + scripts +
                 "parallel-render.sh " + quoted(example) + " " + quoted(out) + " " + size + " 30 2 " + span);
    ASSERT_EQ(rendered.status, 0) << rendered.output;
    EXPECT_NE(rendered.output.find("part 2/2\trendered 60 frames (beats 26 to 30)"), std::string::npos)
        << rendered.output;
    expectSameAsOneRender(out, 2);
}

} // namespace
