#include "support/RichProject.h"
#include "support/TestEvents.h"

namespace {

template <typename T> T* add(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> object) {
    list.push_back(std::move(object));
    return list.back().get();
}

} // namespace

std::unique_ptr<Demo> buildRichProject() {
    auto demo = std::make_unique<Demo>();
    demo->bpm = 142.5f;
    demo->beat_offset = 0.25f;
    demo->end_beat = 256.0f;
    demo->music->data = {'I', 'D', '3', 0, 1, 2, 3, 255};

    auto program = std::make_unique<ShaderProgram>();
    program->fragmentShaderFilename = "resources/tunnel.frag";
    program->fragmentShaderSource =
        "#version 150\n// \"tunnel\" \\ effect\tv1\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    auto speed = std::make_unique<UniformDef>();
    speed->name = "speed";
    speed->minVal = -2.0f;
    speed->maxVal = 8.0f;
    speed->defaultVal = 1.5f;
    program->uniformDefs.push_back(std::move(speed));
    ShaderProgram* tunnel = add(demo->shaders, std::move(program));

    auto texture = std::make_unique<Texture>();
    texture->name = "resources/caf\xc3\xa9 logo.png";
    texture->imageBuffer = std::make_unique<ByteBuffer>(std::vector<uint8_t>{0x89, 'P', 'N', 'G', 0, 13, 10});
    Texture* logo = add(demo->textures, std::move(texture));

    auto font = std::make_unique<Font>();
    font->name = "resources/sans.ttf (32 pt)";
    font->filename = "resources/sans.ttf";
    font->ptsize = 32;
    font->fontBuffer->data = {0, 1, 0, 0, 'O', 'S', '/', '2'};
    Font* sans = add(demo->fonts, std::move(font));
    auto caption = std::make_unique<FontTexture>();
    caption->name = "caption";
    caption->width = 512;
    caption->height = 128;
    caption->font = sans;
    caption->center = true;
    caption->charsPerBeat = 4;
    FontTexture* captionTexture = add(demo->font_textures, std::move(caption));

    Effect* feedback = add(demo->effects, std::make_unique<Effect>("feedback", tunnel, logo, nullptr, true, false));
    feedback->effects.push_back(feedback); // its own input
    Effect* left =
        add(demo->effects, std::make_unique<Effect>("left \"quoted\"", tunnel, nullptr, nullptr, false, true));
    Effect* right = add(demo->effects, std::make_unique<Effect>("right\\side", tunnel, logo, left, false, false));
    left->effects.push_back(right); // a mutual pair
    right->fontTextures.push_back(captionTexture);
    right->textures.push_back(logo); // listed twice

    auto sample = std::make_unique<AudioSample>();
    sample->name = "resources/kick.wav";
    sample->audioBuffer->data = {'R', 'I', 'F', 'F', 4, 0, 0, 0};
    AudioSample* kick = add(demo->audio_samples, std::move(sample));

    Event* intro = add(demo->events, makeEvent("intro", EffectEvent, 0.0f, 32.0f));
    intro->effect = feedback;
    ControlPointList& speedCurve = intro->variable("speed");
    speedCurve.mode = Smooth;
    speedCurve.repeat = true;
    speedCurve.points = {{0.0f, 0.5f, ""}, {8.0f, 2.25f, ""}, {16.0f, -1.0f, ""}};
    Event* titles = add(demo->events, makeEvent("titles\nline", EffectEvent, 16.0f, 48.0f));
    titles->effect = right;
    titles->visible = false;
    ControlPointList& text = titles->variable("caption");
    text.mode = LastValue;
    text.points = {{0.0f, 0.0f, "Hello, \"world\""}, {4.0f, 0.0f, "tab\there"}, {8.0f, 0.0f, ""}};
    Event* beat = add(demo->events, makeEvent("kick", AudioSampleEvent, 4.0f, 5.0f));
    beat->audioSample = kick;
    Event* mixed = add(demo->events, makeEvent("mixed", EffectEvent, 8.0f, 24.0f));
    mixed->effect = left;

    auto group = std::make_unique<EventGroup>();
    group->name = "intro group";
    group->events = {intro, titles, beat};
    EventGroup* introGroup = add(demo->event_groups, std::move(group));
    Event* replay = add(demo->events, makeEvent("replay", GroupEvent, 100.0f, 148.0f));
    replay->group = introGroup;
    replay->variable("intro.speed").points = {{0.0f, 3.0f, ""}};
    return demo;
}
