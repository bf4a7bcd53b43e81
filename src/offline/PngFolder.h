// A folder of numbered PNG frames ("frame-000042.png", numbered by the frame's
// place in the whole demo, so spans rendered apart join by copying) and a WAV
// file of the span's sound ("sound.wav").
#pragma once

#include "offline/FrameSink.h"
#include "render/PngWriter.h"

#include <filesystem>

class PngFolder : public FrameSink {
public:
    PngFolder(const std::filesystem::path& folder, int width, int height);

    // Makes the folder when it is missing and starts the encoders. False with the
    // problem set when it cannot be written.
    bool open() { return frames_.start(); }
    bool write(RenderedFrame frame) override { return frames_.write(std::move(frame)); }
    bool finish(std::span<const int16_t> sound, int rate) override;
    std::string problem() const override;

    static std::string frameFileName(int64_t index);

private:
    std::filesystem::path folder_;
    PngWriter frames_;
    std::string soundProblem_;
};
