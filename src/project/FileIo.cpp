#include "project/FileIo.h"

#include "platform/Platform.h"
#include "project/ConsoleLog.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Writes `bytes` to a new file no one else uses beside `path`, named into
// `temporaryName`, with the permissions of the file at `path` when it exists.
std::error_code writeTemporaryBeside(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                     std::string& temporaryName) {
    static std::atomic<unsigned> counter{0};
    const std::string base = utf8Of(path.parent_path() / pathFromUtf8("." + utf8Of(path.filename())));
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = base + ".tmp" + std::to_string(currentProcessId()) + "-" + std::to_string(counter++);
        error = writeNewFile(temporaryName, bytes, utf8Of(path));
        if (error != std::errc::file_exists)
            return error;
    }
    return error;
}

bool isNumber(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process that made `name` when it is a temporary of the file `target`, named as
// writeTemporaryBeside names them: "." + target + ".tmp" + PID + "-" + counter.
std::optional<int> temporaryOwner(std::string_view name, const std::string& target) {
    const std::string prefix = "." + target + ".tmp";
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || !isNumber(name.substr(0, dash)) || !isNumber(name.substr(dash + 1)))
        return std::nullopt;
    int pid = 0;
    if (std::from_chars(name.data(), name.data() + dash, pid).ec != std::errc() || pid <= 0)
        return std::nullopt;
    return pid;
}

// Removes the temporaries of `path` that saves killed midway left beside it: those of processes
// no longer running, and those bearing this process's PID other than `ownTemporary`, which an
// earlier process with the same PID left (saves of one file never overlap within a process).
void removeLeftoverTemporaries(const std::filesystem::path& path, const std::string& ownTemporary) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    const std::string target = utf8Of(path.filename());
    const std::string ownName = utf8Of(pathFromUtf8(ownTemporary).filename());
    for (const FolderEntry& entry : listFolder(utf8Of(folder))) {
        const std::optional<int> owner = temporaryOwner(entry.name, target);
        if (!entry.isFile || !owner ||
            (*owner == currentProcessId() ? entry.name == ownName : processIsRunning(*owner)))
            continue;
        std::error_code ignored;
        std::filesystem::remove(folder / pathFromUtf8(entry.name), ignored);
    }
}

} // namespace

std::optional<std::string> tryReadWholeFile(const std::filesystem::path& path) {
    // Names come from project files: a device or a pipe would never end or never open.
    std::error_code kindError;
    if (!std::filesystem::is_regular_file(path, kindError))
        return std::nullopt;
    const std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
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
        logLine("File " + utf8Of(path) + " not found! Returning empty string, with possibly bad outcomes...");
        return {};
    }
    return std::move(*contents);
}

std::error_code writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::string temporaryName;
    if (const std::error_code error = writeTemporaryBeside(path, bytes, temporaryName))
        return error;
    removeLeftoverTemporaries(path, temporaryName);
    if (const std::error_code error = replaceFile(temporaryName, utf8Of(path))) {
        std::error_code ignored;
        std::filesystem::remove(pathFromUtf8(temporaryName), ignored);
        return error;
    }
    return {};
}

std::error_code writeWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    return writeWholeFile(path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}
