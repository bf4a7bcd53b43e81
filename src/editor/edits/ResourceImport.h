// Imports of the files chosen in the managers' pickers. A file is read and
// checked before anything is added to the project, so a missing, damaged or
// unreadable one adds nothing and says why. Whether its bytes decode is asked
// of the caller, which holds the decoders.
#pragma once

#include "project/AudioSample.h"
#include "project/Font.h"
#include "project/Texture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

template <typename T> struct Imported {
    std::unique_ptr<T> object; // null when the file cannot be used
    std::string problem;       // then why, for the status line
};

// Nothing when the object's bytes decode to something the program can use,
// else why not.
template <typename T> using DecodeCheck = std::function<std::optional<std::string>(const T&)>;

Imported<Texture> importTexture(const std::string& path, const DecodeCheck<Texture>& decodes);
Imported<Font> importFont(const std::string& path, int32_t pointSize, const DecodeCheck<Font>& decodes);
Imported<AudioSample> importSample(const std::string& path, const DecodeCheck<AudioSample>& decodes);
