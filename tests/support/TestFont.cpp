#include "support/TestFont.h"

#include <filesystem>

std::string copyTestFontHere() {
    const std::string path = "resources/DejaVuSans.ttf";
    std::filesystem::create_directories("resources");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", path,
                               std::filesystem::copy_options::overwrite_existing);
    return path;
}
