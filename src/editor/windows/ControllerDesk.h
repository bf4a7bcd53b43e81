// The editor's controllers, as a whole: the MIDI and OSC inputs, the hub that
// binds and holds, the transport row's Record toggle and "controllers.json" in
// the working folder. The shell polls it once a frame, and drawing asks it
// (as the frame's VariableHold) before the curves. Only a finished take
// changes the project, through the edit history; bindings live beside it.
#pragma once

#include "composition/BeatClock.h"
#include "editor/controllers/ControllerFile.h"
#include "editor/edits/EditHistory.h"
#include "editor/inputs/MidiInput.h"
#include "editor/inputs/OscInput.h"
#include "editor/windows/ControllerHub.h"
#include "editor/windows/StatusLine.h"
#include "project/Demo.h"
#include "render/FrameContext.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ControllerDesk : public VariableHold {
public:
    using Clock = ControllerHub::Clock;
    using Target = ControllerHub::Target;
    // How often the MIDI system is asked for outputs that appeared.
    static constexpr std::chrono::milliseconds joinInterval{2000};

    bool recording = false; // the transport row's "Record"

    // Reads `folder`'s controllers.json and opens the inputs. Until then the
    // desk holds nothing and reads no input: a player never starts it.
    void start(const std::filesystem::path& folder, StatusLine& status);
    bool started() const { return started_; }

    // Takes what arrived since the last frame: Learn binds, moves touch their
    // variables and, while Record is on and the demo plays, gather into
    // takes. A take is written into its curve when recording stops (Record
    // off or play stopped). Notes new MIDI outputs and bindings gone inactive.
    void poll(const Demo& demo, EditHistory& history, const BeatClock& clock, StatusLine& status,
              Clock::time_point now);

    std::optional<float> heldValue(const Event& event, const std::string& key,
                                   const UniformDef& uniform) const override;
    // The hold for this frame's drawing: none while no control moves, so that
    // drawing asks nothing then.
    const VariableHold* activeHold() const { return hub_.holdsAny(now_) ? this : nullptr; }

    // Learn: the next control that moves is bound to `target`; again to cancel.
    void toggleLearning(const Target& target);
    bool learning(const Target& target) const { return hub_.learning == target; }
    // The binding that moves `target`, if any.
    const ControllerBinding* bindingOf(const Target& target) const;

    // What the Controllers window shows and changes.
    const std::vector<ControllerBinding>& bindings() const { return hub_.bindings; }
    void removeBinding(size_t index);
    void setOscRange(size_t index, float low, float high);
    // The control's last value in its variable's units, or raw where the variable is gone.
    std::optional<float> lastValue(const ControllerBinding& binding, const Demo& demo) const;
    // Whether the binding's event and variable are in the project.
    bool active(const ControllerBinding& binding, const Demo& demo) const;
    int oscPort() const { return setup_.oscPort; }
    bool oscOnNetwork() const { return setup_.oscOnNetwork; }
    // Listens for OSC there from now on, and keeps it in the file.
    void listenForOsc(int port, bool network);
    const std::string& oscState() const { return oscState_; }
    std::string midiSystem() const { return midi_ ? midi_->system() : std::string(); }
    const std::vector<std::string>& midiOutputs() const { return midiOutputs_; }
    uint64_t received() const { return received_; }
    // Messages lost because a queue was full, and OSC packets that were not one number.
    uint64_t dropped() const;
    uint64_t refused() const { return osc_ ? osc_->refused() : 0; }
    // Why controllers.json could not be written; empty when it could.
    const std::string& fileProblem() const { return fileProblem_; }

private:
    void handleMessage(const ControlMessage& message, const BeatClock& clock, bool capturing, StatusLine& status);
    void commitTakes(const Demo& demo, EditHistory& history, StatusLine& status);
    void noteInactiveBindings(const Demo& demo, StatusLine& status);
    void save();

    bool started_ = false;
    std::filesystem::path file_;
    ControllerSetup setup_; // its bindings are the hub's; the OSC settings are kept here
    ControllerHub hub_;
    std::unique_ptr<MidiInput> midi_;
    std::unique_ptr<OscInput> osc_;
    std::string oscState_;
    std::string fileProblem_;
    std::vector<std::string> midiOutputs_;
    struct LastValue {
        ControlSource source;
        float raw = 0.0f;
    };
    std::vector<LastValue> lastValues_;
    std::vector<ControllerBinding> inactive_; // bindings whose variable was gone at the last poll
    Clock::time_point now_;
    bool wasCapturing_ = false;
    uint64_t received_ = 0;
};
