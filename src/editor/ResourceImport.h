// Imports of the files chosen in the managers' pickers. A file is read and
// decoded before anything is added to the project, so a missing, damaged or
// unreadable one adds nothing and says why.
#pragma once

#include "project/AudioSample.h"
#include "project/Font.h"
#include "project/Texture.h"

#include <cstdint>
#include <memory>
#include <string>

class RenderCache;

template <typename T> struct Imported {
    std::unique_ptr<T> object; // null when the file cannot be used
    std::string problem;       // then why, for the status line
};

Imported<Texture> importTexture(const std::string& path, RenderCache& render);
Imported<Font> importFont(const std::string& path, int32_t pointSize);
// Needs the mixer open.
Imported<AudioSample> importSample(const std::string& path);
