#include "render/PngWriter.h"

#include <SDL_image.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr int encoderCount = 2;

} // namespace

PngWriter::PngWriter(std::filesystem::path folder, std::function<std::string(int64_t)> nameOf, int width, int height)
    : folder_(std::move(folder)), nameOf_(std::move(nameOf)), width_(width), height_(height) {}

PngWriter::~PngWriter() { finish(); }

bool PngWriter::start() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        failure_.record(folder_.string() + ": cannot be made: " + error.message());
        return false;
    }
    const std::filesystem::path probe = folder_ / (".probe-" + std::to_string(getpid()));
    if (!std::ofstream(probe)) {
        failure_.record(folder_.string() + ": cannot be written: " + std::strerror(errno));
        return false;
    }
    std::filesystem::remove(probe, error);
    IMG_Init(IMG_INIT_PNG); // once, before the encoders share it
    for (int i = 0; i < encoderCount; ++i)
        encoders_.emplace_back([this] { encodeFrames(); });
    return true;
}

void PngWriter::encodeFrames() {
    while (std::optional<RenderedFrame> frame = queue_.pop()) {
        if (failure_.happened())
            continue;
        const std::string name = nameOf_(frame->index);
        const std::filesystem::path final = folder_ / name;
        const std::filesystem::path partial = folder_ / ("." + name + ".part");
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(frame->rgb.data(), width_, height_, 24, width_ * 3,
                                                                  SDL_PIXELFORMAT_RGB24);
        const bool saved = surface && IMG_SavePNG(surface, partial.c_str()) == 0;
        SDL_FreeSurface(surface);
        std::error_code error;
        if (saved)
            std::filesystem::rename(partial, final, error);
        if (!saved || error) {
            std::filesystem::remove(partial, error);
            failure_.record(final.string() + ": cannot be written: " + (saved ? error.message() : SDL_GetError()));
        }
    }
}

bool PngWriter::write(RenderedFrame frame) {
    if (failure_.happened())
        return false;
    queue_.push(std::move(frame));
    return true;
}

void PngWriter::finish() {
    queue_.close();
    for (std::thread& encoder : encoders_)
        encoder.join();
    encoders_.clear();
}
