#include "support/TempDir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillfront-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!previousWorkingDir_.empty())
        std::filesystem::current_path(previousWorkingDir_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::enter() {
    previousWorkingDir_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
}
