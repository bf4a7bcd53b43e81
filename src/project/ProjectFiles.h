// Whole projects to and from the bytes of their files: the JSON form, the binary
// form, and the standalone player (an executable with a binary project appended,
// its length as a u32 and the bytes "DEMO").
//
// Readers build a new Demo and never touch the open one; they throw LoadError or
// CodecError when the file cannot be a project.
#pragma once

#include "project/BinaryReader.h"
#include "project/Demo.h"
#include "project/ResourceFiles.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

std::unique_ptr<Demo> readJsonProject(std::string_view text, const LoadProgress& progress = {});
// `decodedBudget`: how much all its compressed strings may decode to together.
// Runs `read`, turning every way a project file can be unusable (damaged,
// refused, too large for memory) into `failure`; null then.
std::unique_ptr<Demo> tryReadProject(const std::function<std::unique_ptr<Demo>()>& read, std::string& failure);

std::unique_ptr<Demo> readBinaryProject(std::span<const uint8_t> bytes, const LoadProgress& progress = {},
                                        uint64_t decodedBudget = maxDecodedBytes);

// The text of a project file: indented, without a final line break. Writes no file:
// with `projectForm` the caller writes projectResourceFiles too.
std::string writeJsonProject(const Demo& demo, bool projectForm);
// The files the JSON project form names instead of holding their bytes: shader
// sources, images, samples, fonts and the music. Valid while `demo` is unchanged.
std::vector<ResourceFile> projectResourceFiles(const Demo& demo);
// Throws SaveError when an object cannot be written in the binary form.
std::vector<uint8_t> writeBinaryProject(const Demo& demo);

// `executable` with the project appended. Throws SaveError when the project does
// not fit the trailer's 32-bit length.
std::vector<uint8_t> makePlayer(std::span<const uint8_t> executable, const Demo& demo);

// The binary project appended to the executable image at `path`; none when the
// file does not end with the trailer (or cannot be read). Throws LoadError when
// the trailer announces more bytes than the file holds.
std::optional<std::vector<uint8_t>> readAppendedProject(const std::filesystem::path& path);
