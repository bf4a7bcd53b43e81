// The font the text tests use, from Debian's DejaVu package.
#pragma once

#include <string>

// Copies DejaVu Sans into "resources/" of the working directory, where projects
// take their files from, and returns that relative path.
std::string copyTestFontHere();
