#include "tool/render/PngFolder.h"

#include "project/FileIo.h"
#include "tool/WavEncoding.h"

#include <SDL_image.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr int encoderCount = 2;

} // namespace

PngFolder::PngFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

PngFolder::~PngFolder() { stopEncoders(); }

std::string PngFolder::frameFileName(int64_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(index));
    return name;
}

bool PngFolder::open(int width, int height) {
    width_ = width;
    height_ = height;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        fail(folder_.string() + ": cannot be made: " + error.message());
        return false;
    }
    const std::filesystem::path probe = folder_ / (".probe-" + std::to_string(getpid()));
    if (!std::ofstream(probe)) {
        fail(folder_.string() + ": cannot be written: " + std::strerror(errno));
        return false;
    }
    std::filesystem::remove(probe, error);
    IMG_Init(IMG_INIT_PNG); // once, before the encoders share it
    for (int i = 0; i < encoderCount; ++i)
        encoders_.emplace_back([this] { encodeFrames(); });
    return true;
}

void PngFolder::encodeFrames() {
    while (std::optional<RenderedFrame> frame = queue_.pop()) {
        if (failed())
            continue;
        const std::filesystem::path final = folder_ / frameFileName(frame->index);
        const std::filesystem::path partial = folder_ / ("." + frameFileName(frame->index) + ".part");
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(frame->rgb.data(), width_, height_, 24, width_ * 3,
                                                                  SDL_PIXELFORMAT_RGB24);
        const bool saved = surface && IMG_SavePNG(surface, partial.c_str()) == 0;
        SDL_FreeSurface(surface);
        std::error_code error;
        if (saved)
            std::filesystem::rename(partial, final, error);
        if (!saved || error) {
            std::filesystem::remove(partial, error);
            fail(final.string() + ": cannot be written: " + (saved ? error.message() : SDL_GetError()));
        }
    }
}

void PngFolder::stopEncoders() {
    queue_.close();
    for (std::thread& encoder : encoders_)
        encoder.join();
    encoders_.clear();
}

bool PngFolder::finish(std::span<const int16_t> sound, int rate) {
    stopEncoders();
    if (failed())
        return false;
    const std::filesystem::path wav = folder_ / "sound.wav";
    if (const std::error_code error = writeWholeFile(wav, encodeWav(sound, rate, 2))) {
        fail(wav.string() + ": " + error.message());
        return false;
    }
    return true;
}
