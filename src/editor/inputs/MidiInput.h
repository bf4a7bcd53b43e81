// MIDI through RtMidi, on ALSA or JACK, whichever answers first: an input
// named "Quillfront" joined to every MIDI output the system has, and to new
// ones as they appear. Each joined output delivers on its library's thread
// into a queue of its own, which the main thread empties.
#pragma once

#include "editor/controllers/ControlQueue.h"
#include "editor/controllers/ControllerBinding.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class RtMidiIn;

// The control message of a MIDI message: a control change, a pitch bend or a
// note on with its velocity. None for anything else (system exclusive, clock,
// note off, a malformed message).
std::optional<ControlMessage> midiControlMessage(std::span<const uint8_t> bytes);

class MidiInput {
public:
    MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;
    ~MidiInput();

    // Joins the outputs not joined yet; the names of those it joined now. The
    // first call chooses the system (`system()` names it; empty when none answers).
    std::vector<std::string> joinNewOutputs();
    const std::string& system() const { return system_; }

    // The main thread's side: the next message from any joined output, or none.
    std::optional<ControlMessage> take();
    // Messages lost because the main thread fell behind.
    uint64_t dropped() const;

    using Queue = ControlQueue<ControlMessage, 1024>;

private:
    struct Joined;
    bool chooseSystem();

    std::unique_ptr<RtMidiIn> scanner_; // lists the outputs; joins none
    std::string system_;
    std::vector<std::unique_ptr<Joined>> joined_;
    size_t next_ = 0; // the joined output take() asks first, so none starves the others
};
