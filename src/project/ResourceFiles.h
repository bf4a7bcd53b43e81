// The resource files a "Save JSON (project)" writes beside the project file: shader
// sources, images, fonts and samples, each to the path it was imported from.
// A file that cannot be written does not stop the save; it is reported on the
// console and remembered, so the save can tell the user which files are stale.
#pragma once

#include "project/ByteBuffer.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Project files name their resources, and anyone may hand us a project file:
// only relative paths that stay inside the working directory are read or
// written, so a project can neither overwrite nor take in (and later save or
// export) files from elsewhere.
bool isInsideWorkingDirectory(const std::string& path);

// The bytes of the resource file at `path` (an image, font or sample a project
// names). Throws LoadError "File not found: <path>" when it cannot be read.
std::unique_ptr<ByteBuffer> readResourceFile(const std::string& path);

void writeResourceFile(const std::string& path, std::span<const uint8_t> bytes);
void writeResourceFile(const std::string& path, std::string_view text);

// The paths that could not be written since the last call.
std::vector<std::string> takeResourceWriteFailures();
