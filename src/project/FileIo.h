// Whole-file reading and writing, for project files, resource files, imports
// and the standalone export.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

// The whole file, read in binary mode; empty when it cannot be opened or read,
// or is not a regular file.
std::optional<std::string> tryReadWholeFile(const std::filesystem::path& path);

// The whole file, for readers that treat a missing file as empty text: when it
// cannot be read, says "File <path> not found! Returning empty string, with
// possibly bad outcomes..." on standard output and returns the empty string.
std::string readWholeFile(const std::filesystem::path& path);

// Replaces the file at `path` with `bytes` atomically: the bytes go to a
// temporary file beside it, which is flushed to disk, given the old file's
// permissions and renamed over it. A crash or full disk midway leaves the old
// file whole. Returns the error that stopped it, if any.
// A save killed midway leaves its temporary ".NAME.tmpPID-N" beside the file;
// the next save of the same file removes those whose process is no longer
// running (or is this one, when an earlier process had its PID), and leaves
// the temporaries of live saves and every other file alone.
[[nodiscard]] std::error_code writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);
[[nodiscard]] std::error_code writeWholeFile(const std::filesystem::path& path, std::string_view bytes);
