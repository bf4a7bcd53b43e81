#include "editor/ResourceImport.h"

#include "audio/SampleSound.h"
#include "project/LoadError.h"
#include "render/ImageTexture.h"
#include "render/OpenFont.h"
#include "render/RenderCache.h"

#include <optional>

namespace {

// The file read into a new object, or the reason it could not be read.
template <typename T, typename... Extra> Imported<T> readFile(const std::string& path, Extra... extra) {
    try {
        return {std::make_unique<T>(path, extra...), {}};
    } catch (const LoadError& error) {
        return {nullptr, path + " not imported: " + error.what()};
    }
}

std::string pathOf(const Texture& texture) { return texture.name; }
std::string pathOf(const Font& font) { return font.filename; }
std::string pathOf(const AudioSample& sample) { return sample.name; }

// Drops the object when its file would give nothing.
template <typename T>
Imported<T> keepIfDecoded(Imported<T> imported, bool decoded, const std::optional<std::string>& refusal,
                          const char* what) {
    if (!imported.object || decoded)
        return imported;
    const std::string path = pathOf(*imported.object);
    return {nullptr, path + " not imported: " + refusal.value_or(std::string("it is not ") + what)};
}

} // namespace

Imported<Texture> importTexture(const std::string& path, RenderCache& render) {
    Imported<Texture> imported = readFile<Texture>(path);
    if (!imported.object)
        return imported;
    ImageTexture probe;
    const std::optional<std::string> refusal =
        probe.loadImage(imported.object->imageBuffer->data, render.imageSideLimit());
    return keepIfDecoded(std::move(imported), probe.glTexture != 0, refusal, "an image this program reads");
}

Imported<Font> importFont(const std::string& path, int32_t pointSize) {
    if (pointSize < 1 || pointSize > maxPointSize)
        return {nullptr, path + " not imported: a font size is 1 to " + std::to_string(maxPointSize)};
    Imported<Font> imported = readFile<Font>(path, pointSize);
    if (!imported.object)
        return imported;
    OpenFont probe;
    const std::optional<std::string> refusal = probe.openFont(*imported.object);
    return keepIfDecoded(std::move(imported), probe.face.isOpen(), refusal, "a TrueType font");
}

Imported<AudioSample> importSample(const std::string& path) {
    Imported<AudioSample> imported = readFile<AudioSample>(path);
    if (!imported.object)
        return imported;
    SampleSound probe;
    const std::optional<std::string> refusal = probe.loadChunk(imported.object->audioBuffer->data);
    return keepIfDecoded(std::move(imported), probe.chunk != nullptr, refusal, "a sound the mixer decodes");
}
