#include "render/PngWriter.h"

#include "platform/Platform.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

constexpr int encoderCount = 2;

// Writes an RGB image (top row first) as a PNG file. Compressed for speed, not
// size: encoding must keep up with composing, and these files are an
// intermediate step on the way to a video.
bool savePng(const std::filesystem::path& path, const std::vector<uint8_t>& rgb, int width, int height,
             std::string& problem) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) {
        problem = std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        problem = "out of memory";
        return false;
    }
    // libpng reports failures by jumping back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        problem = "the image could not be encoded";
        return false;
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int row = 0; row < height; ++row)
        png_write_row(png, &rgb[static_cast<size_t>(row) * rowBytes]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

PngWriter::PngWriter(std::filesystem::path folder, std::function<std::string(int64_t)> nameOf, int width, int height)
    : folder_(std::move(folder)), nameOf_(std::move(nameOf)), width_(width), height_(height),
      queue_(static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {}

PngWriter::~PngWriter() { finish(); }

bool PngWriter::start() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        failure_.record(folder_.string() + ": cannot be made: " + error.message());
        return false;
    }
    const std::filesystem::path probe = folder_ / (".probe-" + std::to_string(currentProcessId()));
    if (!std::ofstream(probe)) {
        failure_.record(folder_.string() + ": cannot be written: " + std::strerror(errno));
        return false;
    }
    std::filesystem::remove(probe, error);
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
        std::string problem;
        const bool saved = savePng(partial, frame->rgb, width_, height_, problem);
        std::error_code error;
        if (saved)
            std::filesystem::rename(partial, final, error);
        if (!saved || error) {
            std::filesystem::remove(partial, error);
            failure_.record(final.string() + ": cannot be written: " + (saved ? error.message() : problem));
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
