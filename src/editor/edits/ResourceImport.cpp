#include "editor/edits/ResourceImport.h"

#include "project/LoadError.h"

namespace {

std::string pathOf(const Texture& texture) { return texture.name; }
std::string pathOf(const Font& font) { return font.filename; }
std::string pathOf(const AudioSample& sample) { return sample.name; }

// The file read into a new object and kept when it decodes, or the reason it is not.
template <typename T, typename... Extra>
Imported<T> readFile(const DecodeCheck<T>& decodes, const std::string& path, Extra... extra) {
    std::unique_ptr<T> object;
    try {
        object = std::make_unique<T>(path, extra...);
    } catch (const LoadError& error) {
        return {nullptr, path + " not imported: " + error.what()};
    }
    if (const std::optional<std::string> problem = decodes(*object))
        return {nullptr, pathOf(*object) + " not imported: " + *problem};
    return {std::move(object), {}};
}

} // namespace

Imported<Texture> importTexture(const std::string& path, const DecodeCheck<Texture>& decodes) {
    return readFile(decodes, path);
}

Imported<Font> importFont(const std::string& path, int32_t pointSize, const DecodeCheck<Font>& decodes) {
    if (pointSize < 1 || pointSize > maxPointSize)
        return {nullptr, path + " not imported: a font size is 1 to " + std::to_string(maxPointSize)};
    return readFile(decodes, path, pointSize);
}

Imported<AudioSample> importSample(const std::string& path, const DecodeCheck<AudioSample>& decodes) {
    return readFile(decodes, path);
}
