// Frames whose events start audio samples and show texts.
#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "composition/Composition.h"
#include "project/Demo.h"
#include "support/ComposedFrame.h"
#include "support/TempDir.h"
#include "support/TestEvents.h"
#include "support/TestFont.h"
#include "support/WavFile.h"

#include <GL/glew.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

namespace {

class CompositionMediaTest : public ComposedFrameTest {
protected:
    const Effect* renderAt(float beat) {
        frame.beat = beat;
        return ::renderAt(demo, cache, audio, frame);
    }
    Event& addEvent(const char* name, int32_t type, float start, float end) {
        return ::addEvent(demo, name, type, start, end);
    }
};

TEST_F(CompositionMediaTest, AudioSampleEventsStartTheirSampleUnlessPaused) {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_TIMER), 0);
    ASSERT_TRUE(openAudioDevice());
    std::vector<int16_t> tone(48000 / 2 * 2, 10000);
    demo.audio_samples.push_back(std::make_unique<AudioSample>("tone", makeWav(tone, 48000, 2)));
    Event& hit = addEvent("hit", AudioSampleEvent, 4.0f, 5.0f);
    hit.audioSample = demo.audio_samples.back().get();

    frame.paused = true;
    EXPECT_EQ(renderAt(4.5f), nullptr);
    EXPECT_EQ(Mix_Playing(-1), 0) << "paused";
    frame.paused = false;
    renderAt(3.9f);
    EXPECT_EQ(Mix_Playing(-1), 0) << "not reached yet";
    renderAt(4.5f);
    EXPECT_EQ(Mix_Playing(-1), 1);
    renderAt(4.6f);
    EXPECT_EQ(Mix_Playing(-1), 1) << "started once";
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
}

TEST_F(CompositionMediaTest, FontTexturesShowTheirEventsTexts) {
    ASSERT_EQ(TTF_Init(), 0);
    TempDir dir;
    dir.enter();
    demo.fonts.push_back(std::make_unique<Font>(copyTestFontHere(), 16));
    demo.font_textures.push_back(std::make_unique<FontTexture>("caption", 128, 32, demo.fonts.back().get()));
    FontTexture& caption = *demo.font_textures.back();
    caption.charsPerBeat = 1;
    auto program = std::make_unique<ShaderProgram>("#version 150\nuniform sampler2D tex;\nout vec4 c;\n"
                                                   "void main() { c = texture(tex, vec2(0.0)); }\n");
    demo.effects.push_back(std::make_unique<Effect>("text", program.get(), nullptr, nullptr, false, false));
    demo.effects.back()->fontTextures.push_back(&caption);
    demo.shaders.push_back(std::move(program));

    Event& titles = addEvent("titles", EffectEvent, 10.0f, 20.0f);
    titles.effect = demo.effects.back().get();
    titles.visible = false;
    titles.variable("caption").points = {{1.0f, 0.0f, "Hello"}, {5.0f, 0.0f, "!"}};

    struct Case {
        float beat;
        const char* shown;
    };
    for (const Case& c : {Case{10.5f, ""}, Case{11.0f, "H"}, Case{12.0f, "He"}, Case{14.4f, "Hello"}, Case{15.0f, "!"},
                          Case{20.0f, "!"}, Case{10.5f, ""}}) {
        renderAt(c.beat);
        EXPECT_EQ(cache.text(caption).currentText, c.shown) << "beat " << c.beat;
    }

    // Replayed by a group event, an override of "titles.caption" wins.
    auto group = std::make_unique<EventGroup>();
    group->events = {&titles};
    Event& replay = addEvent("replay", GroupEvent, 100.0f, 110.0f);
    replay.group = group.get();
    demo.event_groups.push_back(std::move(group));
    replay.variable("titles.caption").points = {{0.0f, 0.0f, "Encore"}};
    caption.charsPerBeat = -1;
    renderAt(101.0f);
    EXPECT_EQ(cache.text(caption).currentText, "Encore");
    replay.variable("titles.caption").points.clear();
    renderAt(101.0f);
    EXPECT_EQ(cache.text(caption).currentText, "") << "an override without points shows nothing";
}

} // namespace
