#include "editor/windows/ResourceProbes.h"

#include "audio/SampleSound.h"
#include "render/ImageTexture.h"
#include "render/OpenFont.h"
#include "render/RenderCache.h"

namespace {

// The decoder's refusal, or when it gave nothing without one, what the file is not.
std::optional<std::string> problemOf(bool decoded, const std::optional<std::string>& refusal, const char* what) {
    if (decoded)
        return std::nullopt;
    return refusal.value_or(std::string("it is not ") + what);
}

} // namespace

std::optional<std::string> imageProblem(const Texture& texture, RenderCache& render) {
    ImageTexture probe;
    const std::optional<std::string> refusal = probe.loadImage(texture.imageBuffer->data, render.imageSideLimit());
    return problemOf(probe.glTexture != 0, refusal, "an image this program reads");
}

std::optional<std::string> fontProblem(const Font& font) {
    OpenFont probe;
    const std::optional<std::string> refusal = probe.openFont(font);
    return problemOf(probe.face.isOpen(), refusal, "a TrueType font");
}

std::optional<std::string> sampleProblem(const AudioSample& sample) {
    SampleSound probe;
    const std::optional<std::string> refusal = probe.loadChunk(sample.audioBuffer->data);
    return problemOf(probe.chunk != nullptr, refusal, "a sound the mixer decodes");
}
