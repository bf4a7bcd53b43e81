// A fresh directory under the system's temporary folder, removed with its
// contents when the object goes; optionally the working directory meanwhile.
#pragma once

#include <filesystem>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Makes this the working directory until the object goes.
    void enter();

private:
    std::filesystem::path path_;
    std::filesystem::path previousWorkingDir_;
};
