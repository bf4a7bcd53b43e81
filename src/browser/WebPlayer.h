// The demo as the browser plays it: the binary project, its composition and
// render cache, and its mix and analysis worked out as the offline renderer
// does, with the positions taken from the browser's audio clock.
//
// Positions count sample frames at `webMixRate` from the start of the music.
// The page feeds the audio output from `mixAudio` and composes each picture at
// the position being heard, so picture and sound follow one clock.
#pragma once

#include "audio/OfflineMix.h"
#include "browser/BrowserSounds.h"
#include "composition/OfflineComposer.h"
#include "project/Demo.h"
#include "project/Effect.h"
#include "project/ShaderProgram.h"
#include "project/Texture.h"
#include "render/RenderCache.h"
#include "render/ScreenSize.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

constexpr int webMixRate = 48000;

class WebPlayer {
public:
    // Reads the binary project; the reason when it cannot be read.
    std::optional<std::string> open(std::span<const uint8_t> bytes);

    // The encoded sounds the browser decodes: the music first, then each sample.
    // A sound the desktop would refuse is empty here too, its reason on the console.
    int soundCount() const { return static_cast<int>(encodedSounds_.size()); }
    std::span<const uint8_t> encodedSound(int index) const { return encodedSounds_[static_cast<size_t>(index)]; }
    // Room for sound `index` decoded, `frames` interleaved stereo frames at
    // webMixRate, for the page to fill; null (and the sound silent) when a sample
    // would take more than a decoded sample may, or memory runs out.
    int16_t* decodedSoundBuffer(int index, int64_t frames);

    // Compiles, decodes and uploads everything and draws each effect once, so
    // the first frame does not stall. The GL context must be current.
    void build(ScreenSize screen);
    // The loader screen's picture, full.
    void drawLoader(ScreenSize screen);

    // Composes the picture heard at `position`; while `paused` no sample starts.
    void compose(int64_t position, ScreenSize screen, bool paused);
    // `count` frames of the mix from `first`, interleaved stereo, valid until the next call.
    const int16_t* mixAudio(int64_t first, int count);

    double beatAt(int64_t position) const;
    int64_t positionOf(double beat) const;
    bool ended(int64_t position) const { return beatAt(position) > demo_->end_beat; }
    // The "sound" level of the frame composed last.
    int soundLevel() const { return composer_ ? composer_->soundLevel() : 0; }

private:
    std::unique_ptr<Demo> demo_;
    std::vector<std::span<const uint8_t>> encodedSounds_;
    BrowserSounds sounds_;
    std::unique_ptr<OfflineMix> mix_;
    RenderCache cache_;
    std::unique_ptr<OfflineComposer> composer_; // made with the mix
    std::vector<int16_t> output_;
    int64_t mixedUntil_ = 0; // where the audio output takes the mix next

    ShaderProgram loaderProgram_;
    Texture loaderLogo_;
    std::unique_ptr<Effect> loaderEffect_;
};
