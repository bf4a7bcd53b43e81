#include "browser/WebPlayer.h"

#include "assets/BuiltinAssets.h"
#include "composition/Composition.h"
#include "composition/OfflineComposer.h"
#include "project/ConsoleLog.h"
#include "project/MediaLimits.h"
#include "project/ProjectFiles.h"
#include "project/Tempo.h"
#include "render/EffectRenderer.h"
#include "render/FrameContext.h"
#include "render/Gl.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

namespace {

void setUniform(const CompiledProgram& program, const char* name, float value) {
    const GLint location = glGetUniformLocation(program.programObject, name);
    if (location != -1)
        glUniform1f(location, value);
}

// `bytes` unless `refusal` says why not; the reason goes to the console.
std::span<const uint8_t> unlessRefused(std::span<const uint8_t> bytes, const std::optional<std::string>& refusal,
                                       const std::string& name) {
    if (!refusal)
        return bytes;
    logLine(name + " stays silent: " + *refusal);
    return {};
}

} // namespace

std::optional<std::string> WebPlayer::open(std::span<const uint8_t> bytes) {
    try {
        demo_ = readBinaryProject(bytes);
    } catch (const std::bad_alloc&) {
        return "the project is larger than this browser can hold";
    } catch (const std::exception& error) {
        return error.what();
    }
    const std::vector<uint8_t>& music = demo_->music->data;
    encodedSounds_.push_back(unlessRefused(music, music.empty() ? std::nullopt : musicRefusal(music), "The music"));
    for (const auto& sample : demo_->audio_samples) {
        const std::vector<uint8_t>& encoded = sample->audioBuffer->data;
        encodedSounds_.push_back(
            unlessRefused(encoded, encoded.empty() ? std::nullopt : sampleRefusal(encoded), "Sample " + sample->name));
    }
    return std::nullopt;
}

int16_t* WebPlayer::decodedSoundBuffer(int index, int64_t frames) {
    const bool music = index == 0;
    if (frames < 0 || (!music && static_cast<uint64_t>(frames) * 4 > maxDecodedSampleBytes))
        return nullptr;
    std::vector<int16_t>& decoded =
        music ? sounds_.music : sounds_.sample(*demo_->audio_samples[static_cast<size_t>(index - 1)]);
    try {
        decoded.resize(static_cast<size_t>(frames) * 2);
    } catch (const std::exception&) {
        return nullptr;
    }
    return decoded.data();
}

void WebPlayer::build(ScreenSize screen) {
    cache_.build(*demo_, screen);
    FrameContext frame;
    frame.screen = screen;
    EffectRenderer renderer(cache_, frame);
    for (const auto& effect : demo_->effects)
        warmUpEffect(renderer, *effect);
    mix_ = std::make_unique<OfflineMix>(std::move(sounds_.music), sounds_);
    // The page composes at the positions it hears, not on a grid of frames.
    composer_ =
        std::make_unique<OfflineComposer>(*demo_, cache_, *mix_, FrameGrid{Tempo::of(*demo_)}, screen, webMixRate);
}

void WebPlayer::drawLoader(ScreenSize screen) {
    if (!loaderEffect_) {
        loaderProgram_.fragmentShaderSource = std::string(loaderShader());
        loaderLogo_ = Texture("loader", loaderImage());
        loaderEffect_ = std::make_unique<Effect>("Loader", &loaderProgram_, &loaderLogo_, nullptr, false, false);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, screen.width, screen.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    FrameContext frame;
    frame.screen = screen;
    const CompiledProgram& program = cache_.program(loaderProgram_);
    glUseProgram(program.programObject);
    setUniform(program, "read", 1.0f);
    setUniform(program, "total", 1.0f);
    EffectRenderer(cache_, frame).drawPass(*loaderEffect_, false);
}

void WebPlayer::compose(int64_t position, ScreenSize screen, bool paused) {
    // The output has taken the mix up to `mixedUntil_`: a sample starting now is heard from there.
    composer_->composeHeard(position, static_cast<float>(beatAt(position)), screen, paused,
                            std::max(position, mixedUntil_));
}

const int16_t* WebPlayer::mixAudio(int64_t first, int count) {
    output_.resize(static_cast<size_t>(count) * 2);
    mix_->mix(first, count, output_.data());
    mixedUntil_ = first + count;
    return output_.data();
}

double WebPlayer::beatAt(int64_t position) const {
    return Tempo::of(*demo_).beatAt(static_cast<double>(position), webMixRate);
}

int64_t WebPlayer::positionOf(double beat) const {
    const Tempo tempo = Tempo::of(*demo_);
    if (!tempo.usable())
        return 0;
    // Within a day of music either way, whatever a link's "?beat=" says.
    constexpr double day = 86400.0 * webMixRate;
    const double position = tempo.countAt(beat, webMixRate);
    return std::isfinite(position) ? static_cast<int64_t>(std::clamp(position, -day, day)) : 0;
}
