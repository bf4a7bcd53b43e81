// Shared by the project loaders' fuzz targets: loading in an empty folder, and
// what every loaded project must allow.
#pragma once

#include "project/CodecError.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/SaveError.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// Resource files named by inputs are looked for in a folder that holds none,
// and nothing is ever written.
inline void prepareProjectFuzzing() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillfront-fuzz-empty";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
}

// Loads with `read`; a project that loads must write both forms and read its
// binary form back.
template <typename Read> void loadAndRewrite(Read read) {
    std::unique_ptr<Demo> demo;
    try {
        demo = read();
    } catch (const LoadError&) {
        return;
    } catch (const CodecError&) {
        return;
    }
    writeJsonProject(*demo, false);
    std::vector<uint8_t> binary;
    try {
        binary = writeBinaryProject(*demo);
    } catch (const SaveError&) {
        return; // an event type the binary form cannot hold, refused with a message
    }
    try {
        readBinaryProject(binary);
    } catch (const CodecError&) {
        std::abort(); // what the program writes, it must read
    }
}
