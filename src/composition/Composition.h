// Composing the demo picture of a frame from the project's events.
//
// Each frame the active events (start <= beat < end) are first prepared (their
// effects' input effects rendered into their output textures), then every active,
// visible event draws in list order over the previous layers: effect events draw
// their effect with their automated uniforms, group events replay their members
// shifted in time. The "beat" uniform is always the frame's beat; the beats here
// are the events' own time frames. Drawing never changes the project: a uniform
// or text without a stored variable gets its default.
#pragma once

#include "audio/SamplePlayer.h"
#include "composition/CarriedState.h"
#include "project/Demo.h"
#include "render/EffectRenderer.h"

#include <algorithm>
#include <array>

// Group events replaying their groups while a frame is composed, innermost
// last. A group that contains the event replaying it, however deeply, is not
// replayed again; nesting beyond the capacity is cut too.
class ReplayStack {
public:
    bool contains(const Event* event) const {
        const auto end = events_.begin() + static_cast<std::ptrdiff_t>(depth_);
        return std::find(events_.begin(), end, event) != end;
    }
    bool full() const { return depth_ == events_.size(); }
    void push(const Event* event) { events_[depth_++] = event; }
    void pop() { --depth_; }

private:
    std::array<const Event*, 64> events_{};
    size_t depth_ = 0;
};

// What one frame is composed with: the project, its render cache, where its
// samples start and the frame's values.
struct Composer {
    const Demo& demo;
    EffectRenderer renderer;
    SamplePlayer& samples;
    ReplayStack replaying;
    bool drawing = true; // false while catching up: events start samples but draw nothing

    Composer(const Demo& project, RenderCache& cache, SamplePlayer& player, const FrameContext& frame)
        : demo(project), renderer(cache, frame), samples(player) {}
};

// Composes the frame at `frame.beat` over a cleared frame and returns the effect
// drawn last (the top layer), or null when no effect event drew.
const Effect* renderAt(const Demo& demo, RenderCache& cache, SamplePlayer& samples, const FrameContext& frame);

// Brings what later frames read of the frame at `frame.beat` up to date without
// composing its picture: the texts, the samples started and `carried.passes`
// (see CarriedState.h). Frames must be caught up in order.
void catchUpAt(const Demo& demo, RenderCache& cache, SamplePlayer& samples, const FrameContext& frame,
               const CarriedState& carried);

// Draws or replays `event` at `beat` in its own time frame; `parent` is the group
// event replaying it, or null at top level. Returns the effect drawn last, or null.
const Effect* render(Composer& composer, const Event& event, float beat, const Event* parent);

// Uploads one value per located author uniform of the event's program: its
// variable's value at `beat` (a group event's override first), else its default;
// within the event, what `hold` holds it at comes before either.
void applyVariables(const Event& event, const CompiledProgram& program, float beat, const Event* parent,
                    const VariableHold* hold = nullptr);

// Draws `effect` once with its current inputs, so its program and textures have
// been used before the first real frame.
void warmUpEffect(EffectRenderer& renderer, const Effect& effect);

// Sets the text of every font texture of the event's effect from the event's text
// variable of that name at `beat` (a group event's override first); outside the
// event the textures are emptied.
void updateFontTextures(RenderCache& cache, const Event& event, float beat, const Event* group);
