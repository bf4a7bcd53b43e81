// What the editor does with the controls that move: binds the next one to the
// variable waiting in Learn, holds each bound variable at its control's value
// while the control moves (and half a second after), and gathers the moves
// made while Record is on and the demo plays into takes. Plain logic over the
// messages, the bindings and a clock, so it is tested without inputs or a window.
#pragma once

#include "editor/controllers/ControllerBinding.h"
#include "editor/edits/TakeRecording.h"
#include "project/Event.h"
#include "project/UniformDef.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ControllerHub {
public:
    using Clock = std::chrono::steady_clock;
    // How long a control holds its variable after its last move.
    static constexpr Clock::duration touchHold = std::chrono::milliseconds(500);

    struct Target {
        std::string event;
        std::string variable;
        bool operator==(const Target&) const = default;
    };
    // The moves of one binding's control while recording, in absolute beats.
    struct Take {
        Target target;
        std::vector<TakeSample> samples;
    };

    std::vector<ControllerBinding> bindings;
    // The variable waiting for the next control that moves, after its Learn button.
    std::optional<Target> learning;

    // Handles `message`, arrived at `now`. When learning, the control is bound
    // (replacing what it was bound to) and returned. Otherwise each binding of
    // the control is touched, and with `recordingBeat` (the demo plays and
    // Record is on) its move joins that binding's take at that beat.
    std::optional<ControllerBinding> handle(const ControlMessage& message, Clock::time_point now,
                                            std::optional<float> recordingBeat);

    // Where the control bound to `target` holds it, 0 to 1 of its range, while
    // it moved within `touchHold` of `now`; none when the curve plays.
    // Asked for each variable drawn, so it copies no names.
    std::optional<float> touched(std::string_view event, std::string_view variable, Clock::time_point now) const;

    // Whether some control holds its variable at `now`.
    bool holdsAny(Clock::time_point now) const;

    // The takes gathered since the last call, each at least one move long.
    std::vector<Take> takeTakes();

private:
    struct Touch {
        Target target;
        float fraction = 0.0f;
        Clock::time_point at;
    };
    std::vector<Touch> touches_;
    std::vector<Take> takes_;
};

// `take`'s moves as its event's curve holds them: beats from the event's start,
// values in the uniform's range.
std::vector<TakeSample> takeInCurve(const ControllerHub::Take& take, const Event& event, const UniformDef& uniform);
