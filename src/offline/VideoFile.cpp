#include "offline/VideoFile.h"

#include "project/FileIo.h"
#include "tool/PartLabel.h"
#include "tool/WavEncoding.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

const char* const missingFfmpeg =
    "ffmpeg was not found: install Debian's ffmpeg package, or render into a folder of PNG frames instead";

// What renders of `out` on this machine left behind when they were killed
// outright: a video's unfinished files can be large.
void removeAbandoned(const std::filesystem::path& out) {
    const std::string host = hostName();
    for (const FolderEntry& entry : listFolder(out.parent_path().string())) {
        const std::optional<OutputWriter> writer = writerOf(out, entry.name);
        std::error_code ignored;
        if (writer && writer->host == host && !processIsRunning(writer->id))
            std::filesystem::remove(out.parent_path() / entry.name, ignored);
    }
}

} // namespace

VideoFile::VideoFile(std::filesystem::path out, std::optional<std::string> partLabel)
    : out_(std::move(out)), partLabel_(std::move(partLabel)), video_(beside("video.mp4")), sound_(beside("sound.wav")),
      whole_(beside(partLabel_ ? "mov" : "mp4")) {}

VideoFile::~VideoFile() {
    stopEncoder();
    std::error_code ignored;
    for (const std::filesystem::path& path : {video_, sound_, whole_})
        std::filesystem::remove(path, ignored);
}

std::filesystem::path VideoFile::beside(const std::string& suffix) const {
    return out_.parent_path() / unfinishedName(out_, hostName(), currentProcessId(), suffix);
}

bool VideoFile::open(ScreenSize size, int fps) {
    removeAbandoned(out_);
    if (!std::ofstream(whole_, std::ios::binary)) {
        failure_.record(out_.string() + ": cannot be written: " + std::strerror(errno));
        return false;
    }
    std::string problem;
    std::vector<std::string> args = {"ffmpeg",
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-y",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     "rgb24",
                                     "-video_size",
                                     std::to_string(size.width) + "x" + std::to_string(size.height),
                                     "-framerate",
                                     std::to_string(fps),
                                     "-i",
                                     "pipe:0",
                                     "-an",
                                     "-c:v",
                                     "libx264",
                                     "-preset",
                                     "superfast",
                                     "-crf",
                                     "18",
                                     "-pix_fmt",
                                     "yuv420p"};
    if (partLabel_)
        args.insert(args.end(), {"-bf", "0"});
    args.insert(args.end(), {"-f", "mp4", video_.string()});
    encoder_ = startProcess(args, true, problem);
    if (encoder_.id == -1) {
        failure_.record(problem == "not found" ? missingFfmpeg : "ffmpeg cannot be started: " + problem);
        return false;
    }
    queue_.emplace(static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 3);
    writer_ = std::thread([this] { writeFrames(); });
    return true;
}

bool VideoFile::write(RenderedFrame frame) {
    if (failure_.happened())
        return false;
    queue_->push(std::move(frame));
    return true;
}

void VideoFile::writeFrames() {
    while (std::optional<RenderedFrame> frame = queue_->pop()) {
        if (!failure_.happened() && !writeToProcess(encoder_, frame->rgb))
            failure_.record("ffmpeg stopped taking frames");
    }
}

// Lets ffmpeg finish with the frames it has; true when it did so cleanly.
bool VideoFile::stopEncoder() {
    if (encoder_.id == -1)
        return false;
    queue_->close();
    if (writer_.joinable())
        writer_.join();
    return waitForProcess(encoder_) == 0;
}

bool VideoFile::finish(std::span<const int16_t> sound, int rate) {
    if (!stopEncoder() && !failure_.happened())
        failure_.record("ffmpeg could not encode the video");
    if (failure_.happened())
        return false;
    const std::vector<uint8_t> wav = encodeWav(sound, rate, 2);
    if (const std::error_code error = writeWholeFile(sound_, wav)) {
        failure_.record(sound_.string() + ": " + error.message());
        return false;
    }
    std::string problem;
    std::vector<std::string> args = {"ffmpeg", "-hide_banner",  "-loglevel", "error",         "-nostdin", "-y",
                                     "-i",     video_.string(), "-i",        sound_.string(), "-map",     "0:v:0",
                                     "-map",   "1:a:0",         "-c:v",      "copy"};
    if (partLabel_)
        args.insert(args.end(), {"-c:a", "pcm_s16le", "-metadata", "comment=" + *partLabel_, "-f", "mov"});
    else
        args.insert(args.end(), {"-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4"});
    args.push_back(whole_.string());
    ChildProcess muxer = startProcess(args, false, problem);
    if (muxer.id == -1 || waitForProcess(muxer) != 0) {
        failure_.record("ffmpeg could not add the sound to the video");
        return false;
    }
    std::error_code error;
    std::filesystem::rename(whole_, out_, error);
    if (error) {
        failure_.record(out_.string() + ": " + error.message());
        return false;
    }
    return true;
}
