// A folder of numbered PNG frames ("frame-000042.png", numbered by the frame's
// place in the whole demo, so spans rendered apart join by copying) and a WAV
// file of the span's sound ("sound.wav"). Frames are encoded on worker
// threads while the next ones are composed; each file is written beside its
// final name and renamed into place once complete.
#pragma once

#include "tool/render/FrameSink.h"

#include <filesystem>
#include <thread>
#include <vector>

class PngFolder : public FrameSink {
public:
    explicit PngFolder(std::filesystem::path folder);
    ~PngFolder() override;

    // Makes the folder when it is missing and starts the encoders for frames of
    // `width` × `height`. False with the problem set when it cannot be written.
    bool open(int width, int height);
    bool finish(std::span<const int16_t> sound, int rate) override;

    static std::string frameFileName(int64_t index);

private:
    void encodeFrames();
    void stopEncoders();

    std::filesystem::path folder_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::thread> encoders_;
};
