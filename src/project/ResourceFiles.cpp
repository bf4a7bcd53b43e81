#include "project/ResourceFiles.h"

#include "project/FileIo.h"
#include "project/LoadError.h"

#include <cstdio>
#include <utility>

namespace {

std::vector<std::string> failures;

void noteResult(const std::string& path, std::error_code error) {
    if (!error)
        return;
    std::printf("Could not write %s: %s\n", path.c_str(), error.message().c_str());
    failures.push_back(path);
}

} // namespace

std::unique_ptr<ByteBuffer> readResourceFile(const std::string& path) {
    std::optional<ByteBuffer> bytes = ByteBuffer::fromFile(path);
    if (!bytes)
        throw LoadError("File not found: " + path);
    return std::make_unique<ByteBuffer>(std::move(*bytes));
}

void writeResourceFile(const std::string& path, std::span<const uint8_t> bytes) {
    noteResult(path, writeWholeFile(path, bytes));
}

void writeResourceFile(const std::string& path, std::string_view text) {
    noteResult(path, writeWholeFile(path, text));
}

std::vector<std::string> takeResourceWriteFailures() { return std::exchange(failures, {}); }
