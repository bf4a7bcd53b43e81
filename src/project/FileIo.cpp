#include "project/FileIo.h"

#include "project/ConsoleLog.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
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

bool isNumber(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process that made `name` when it is a temporary of the file `target`, named as
// createTemporaryBeside names them: "." + target + ".tmp" + PID + "-" + counter.
std::optional<pid_t> temporaryOwner(std::string_view name, const std::string& target) {
    const std::string prefix = "." + target + ".tmp";
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || !isNumber(name.substr(0, dash)) || !isNumber(name.substr(dash + 1)))
        return std::nullopt;
    pid_t pid = 0;
    if (std::from_chars(name.data(), name.data() + dash, pid).ec != std::errc() || pid <= 0)
        return std::nullopt;
    return pid;
}

// A process of another user answers EPERM, and is running too.
bool isRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

// Removes the temporaries of `path` that saves killed midway left beside it: those of processes
// no longer running, and those bearing this process's PID other than `ownTemporary`, which an
// earlier process with the same PID left (saves of one file never overlap within a process).
void removeLeftoverTemporaries(const std::filesystem::path& path, const std::filesystem::path& ownTemporary) {
    namespace fs = std::filesystem;
    const fs::path directory = path.parent_path().empty() ? "." : path.parent_path();
    const std::string target = path.filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path name = entry->path().filename();
        const std::optional<pid_t> owner = temporaryOwner(name.string(), target);
        if (!owner || (*owner == getpid() ? name == ownTemporary.filename() : isRunning(*owner)))
            continue;
        std::error_code ignored;
        if (entry->is_regular_file(ignored))
            fs::remove(entry->path(), ignored);
    }
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
        logLine("File " + path.string() + " not found! Returning empty string, with possibly bad outcomes...");
        return {};
    }
    return std::move(*contents);
}

std::error_code writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::string temporaryName;
    const int fd = createTemporaryBeside(path, temporaryName);
    if (fd < 0)
        return lastError();
    removeLeftoverTemporaries(path, temporaryName);

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
