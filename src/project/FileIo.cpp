#include "project/FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::error_code lastError() { return {errno, std::system_category()}; }

// Creates a file no one else uses beside `path`, with the default permissions
// for a new file (the process umask applies).
int createTemporaryBeside(const std::filesystem::path& path, std::string& temporaryName) {
    static std::atomic<unsigned> counter{0};
    const std::string base = (path.parent_path() / ("." + path.filename().string())).string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = base + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes a rename in `directory` survive a crash; best effort, as some file
// systems cannot sync directories.
void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<std::string> tryReadWholeFile(const std::filesystem::path& path) {
    // Names come from project files: a device or a pipe would never end or never open.
    std::error_code kindError;
    if (!std::filesystem::is_regular_file(path, kindError))
        return std::nullopt;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::string contents;
    std::error_code ignored;
    const uintmax_t expectedSize = std::filesystem::file_size(path, ignored);
    if (!ignored)
        contents.reserve(static_cast<size_t>(expectedSize));
    char chunk[65536];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        contents.append(chunk, count);
    if (std::ferror(file.get()))
        return std::nullopt;
    return contents;
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::optional<std::string> contents = tryReadWholeFile(path);
    if (!contents) {
        std::printf("File %s not found! Returning empty string, with possibly bad outcomes...\n", path.c_str());
        return {};
    }
    return std::move(*contents);
}

std::error_code writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::string temporaryName;
    const int fd = createTemporaryBeside(path, temporaryName);
    if (fd < 0)
        return lastError();

    struct stat existing;
    const bool ok = (::stat(path.c_str(), &existing) != 0 || ::fchmod(fd, existing.st_mode & 07777) == 0) &&
                    writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    std::error_code error = ok ? std::error_code() : lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (!error && ::rename(temporaryName.c_str(), path.c_str()) != 0)
        error = lastError();
    if (error) {
        ::unlink(temporaryName.c_str());
        return error;
    }
    syncDirectory(path.parent_path());
    return {};
}

std::error_code writeWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    return writeWholeFile(path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}
