#include "project/ResourceFiles.h"

#include "project/FileIo.h"
#include "project/LoadError.h"

#include <filesystem>

namespace {

std::error_code writeInside(const std::string& path, std::span<const uint8_t> bytes) {
    // A project opened from elsewhere may be saved where its "resources" folder does not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return writeWholeFile(path, bytes);
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
        throw LoadError(LoadErrorKind::RefusedPath,
                        "Refused to read " + path + ": not a file inside the working directory");
    std::optional<ByteBuffer> bytes = ByteBuffer::fromFile(path);
    if (!bytes)
        throw LoadError(LoadErrorKind::MissingFile, "File not found: " + path);
    return std::make_unique<ByteBuffer>(std::move(*bytes));
}

std::vector<WriteFailure> writeResourceFiles(const std::vector<ResourceFile>& files) {
    std::vector<WriteFailure> failures;
    for (const ResourceFile& file : files) {
        if (!isInsideWorkingDirectory(file.path)) {
            failures.push_back({file.path, "not a path inside the working directory"});
            continue;
        }
        if (const std::error_code error = writeInside(file.path, file.bytes))
            failures.push_back({file.path, error.message()});
    }
    return failures;
}
