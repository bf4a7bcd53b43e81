#include "project/ResourceFiles.h"

#include "project/FileIo.h"
#include "project/LoadError.h"

#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

std::vector<std::string> failures;

void noteFailure(const std::string& path, const std::string& reason) {
    std::printf("Could not write %s: %s\n", path.c_str(), reason.c_str());
    failures.push_back(path);
}

void noteResult(const std::string& path, std::error_code error) {
    if (error)
        noteFailure(path, error.message());
}

template <typename Bytes> void writeInside(const std::string& path, Bytes bytes) {
    if (!isInsideWorkingDirectory(path)) {
        noteFailure(path, "not a path inside the working directory");
        return;
    }
    // A project opened from elsewhere may be saved where its "resources" folder does not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    noteResult(path, writeWholeFile(path, bytes));
}

} // namespace

bool isInsideWorkingDirectory(const std::string& path) {
    const std::filesystem::path relative(path);
    if (path.empty() || relative.is_absolute() || relative.has_root_name())
        return false;
    for (const auto& part : relative)
        if (part == "..")
            return false;
    return true;
}

std::unique_ptr<ByteBuffer> readResourceFile(const std::string& path) {
    if (!isInsideWorkingDirectory(path))
        throw LoadError("Refused to read " + path + ": not a file inside the working directory");
    std::optional<ByteBuffer> bytes = ByteBuffer::fromFile(path);
    if (!bytes)
        throw LoadError("File not found: " + path);
    return std::make_unique<ByteBuffer>(std::move(*bytes));
}

void writeResourceFile(const std::string& path, std::span<const uint8_t> bytes) { writeInside(path, bytes); }

void writeResourceFile(const std::string& path, std::string_view text) { writeInside(path, text); }

std::vector<std::string> takeResourceWriteFailures() { return std::exchange(failures, {}); }
