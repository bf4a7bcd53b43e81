// An MP4 file (H.264 video, AAC sound) made by Debian's ffmpeg, or a part file
// for `quillfront-tool join`. The frames go to one ffmpeg process through a
// pipe, written by a thread of their own while the next frames are composed;
// the finished video and the sound are then put together by a second, short
// ffmpeg run. Everything is written beside the final name (as unfinishedName()
// says) and renamed into place once complete.
//
// A part file is a QuickTime file whose video the join copies as it is: it has
// no B-frames, so that the frames' order in the file is their order on screen
// and the parts' streams simply follow one another; its sound is the exact
// 16-bit samples, encoded once by the join; its "comment" tag is its label.
#pragma once

#include "offline/FrameSink.h"
#include "platform/Platform.h"
#include "render/FirstFailure.h"
#include "render/ScreenSize.h"

#include <filesystem>
#include <optional>
#include <thread>

class VideoFile : public FrameSink {
public:
    // With `partLabel`, a part file carrying that label.
    explicit VideoFile(std::filesystem::path out, std::optional<std::string> partLabel = std::nullopt);
    // Removes whatever an unfinished render left beside the final name.
    ~VideoFile() override;

    // Starts ffmpeg for frames of `size` at `fps`. False with the problem set
    // when ffmpeg is missing or the folder cannot be written.
    bool open(ScreenSize size, int fps);
    bool write(RenderedFrame frame) override;
    bool finish(std::span<const int16_t> sound, int rate) override;
    std::string problem() const override { return failure_.message(); }

private:
    void writeFrames();
    bool stopEncoder();
    std::filesystem::path beside(const std::string& suffix) const;

    std::filesystem::path out_;
    std::optional<std::string> partLabel_;
    std::filesystem::path video_; // the picture alone
    std::filesystem::path sound_; // the sound as a WAV file
    std::filesystem::path whole_; // both, until renamed to `out_`
    ChildProcess encoder_;
    std::optional<FrameQueue> queue_; // sized for the frames once open

    std::thread writer_;
    FirstFailure failure_;
};
