#include "app/Autosave.h"

#include "project/FileIo.h"
#include "project/ProjectFiles.h"
#include "project/SaveError.h"

namespace {

std::string encodeAndWrite(const Demo& snapshot, const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    try {
        bytes = writeBinaryProject(snapshot);
    } catch (const SaveError& error) {
        return error.what();
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    }
    const std::error_code error = writeWholeFile(path, bytes);
    return error ? error.message() : std::string();
}

} // namespace

std::filesystem::path recoveryPathFor(const std::string& projectName) {
    const std::filesystem::path project(projectName);
    return project.parent_path() / ("." + project.filename().string() + ".recovery.demo");
}

bool Autosave::due(uint64_t position, Clock::time_point now) const {
    return !writing() && writtenPosition_ != position && now - lastStart_ >= interval;
}

void Autosave::start(std::unique_ptr<Demo> snapshot, std::filesystem::path path, uint64_t position,
                     Clock::time_point now) {
    waitForWrite();
    lastStart_ = now;
    lastPath_ = path;
    writingPosition_ = position;
    write_ = std::async(std::launch::async, [snapshot = std::move(snapshot), path = std::move(path)] {
        return encodeAndWrite(*snapshot, path);
    });
}

std::optional<std::string> Autosave::takeResult() {
    if (writing() && write_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        waitForWrite();
    return std::exchange(result_, std::nullopt);
}

void Autosave::waitForWrite() {
    if (!writing())
        return;
    result_ = write_.get();
    if (result_->empty())
        writtenPosition_ = writingPosition_;
}

void Autosave::forgetWritten() {
    waitForWrite();
    result_.reset();
    writtenPosition_.reset();
}
