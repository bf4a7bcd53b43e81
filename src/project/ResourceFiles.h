// The resource files of a project in its JSON project form: the music, shader
// sources, images, fonts and samples, each in its own file beside the project
// file, at the path it was imported from.
#pragma once

#include "project/ByteBuffer.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

// Where the project form keeps the music.
inline const char* const musicFileName = "resources/music.mp3";

// Project files name their resources, and anyone may hand us a project file:
// only relative paths that stay inside the working directory are read or
// written, so a project can neither overwrite nor take in (and later save or
// export) files from elsewhere.
bool isInsideWorkingDirectory(const std::string& path);

// The bytes of the resource file at `path` (an image, font or sample a project
// names). Throws LoadError "File not found: <path>" when it cannot be read.
std::unique_ptr<ByteBuffer> readResourceFile(const std::string& path);

// One file a save writes; the bytes belong to the project being saved.
struct ResourceFile {
    std::string path;
    std::span<const uint8_t> bytes;
};

// A file that could not be written, and why.
struct WriteFailure {
    std::string path;
    std::string reason;
};

// Writes every file atomically, creating missing folders; one that cannot be
// written does not stop the others. Returns those that failed.
std::vector<WriteFailure> writeResourceFiles(const std::vector<ResourceFile>& files);
