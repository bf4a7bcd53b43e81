// The autosave: while the project has changes that are not saved, a copy of it
// in the binary form goes beside its project file every so often, so a crash
// loses at most one interval of work. The copy is taken on the main thread
// (memory only) and encoded and written on a worker thread through the atomic
// writer, so a frame never waits on the disk.
#pragma once

#include "project/Demo.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>

// ".NAME.recovery.demo" beside "NAME.json", the file Ctrl+S writes for the
// project file name `projectName`.
std::filesystem::path recoveryPathFor(const std::string& projectName);

class Autosave {
public:
    using Clock = std::chrono::steady_clock;

    // The shortest time between two writes; tests shorten it.
    Clock::duration interval = std::chrono::seconds(30);

    Autosave() = default;
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;
    ~Autosave() { waitForWrite(); }

    // Whether the project's state `position` wants writing at `now`: it has not
    // been written, no write is under way and the last one began an interval ago.
    bool due(uint64_t position, Clock::time_point now) const;
    // Encodes and writes `snapshot` to `path` on a worker thread.
    void start(std::unique_ptr<Demo> snapshot, std::filesystem::path path, uint64_t position, Clock::time_point now);
    // Once a write has ended: why it failed, or an empty string. None while a
    // write is under way or none was started since the last call.
    std::optional<std::string> takeResult();
    // Blocks until the write under way, if any, has ended.
    void waitForWrite();
    bool writing() const { return write_.valid(); }
    // The file the last write went to; empty before the first.
    const std::filesystem::path& lastPath() const { return lastPath_; }
    // Forgets what was written, as after a save removed the copy, once the
    // write under way has ended.
    void forgetWritten();

private:
    std::future<std::string> write_;
    std::optional<std::string> result_;
    std::filesystem::path lastPath_;
    std::optional<uint64_t> writtenPosition_;
    uint64_t writingPosition_ = 0;
    Clock::time_point lastStart_ = Clock::now();
};
