#include "offline/PngFolder.h"

#include "project/FileIo.h"
#include "tool/WavEncoding.h"

#include <cstdio>

PngFolder::PngFolder(const std::filesystem::path& folder, int width, int height)
    : folder_(folder), frames_(folder, frameFileName, width, height) {}

std::string PngFolder::frameFileName(int64_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(index));
    return name;
}

std::string PngFolder::problem() const {
    return frames_.failure().happened() ? frames_.failure().message() : soundProblem_;
}

bool PngFolder::finish(std::span<const int16_t> sound, int rate) {
    frames_.finish();
    if (frames_.failure().happened())
        return false;
    const std::filesystem::path wav = folder_ / "sound.wav";
    if (const std::error_code error = writeWholeFile(wav, encodeWav(sound, rate, 2))) {
        soundProblem_ = wav.string() + ": " + error.message();
        return false;
    }
    return true;
}
