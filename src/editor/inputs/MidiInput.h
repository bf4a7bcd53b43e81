// MIDI through RtMidi, on ALSA or JACK, whichever answers first: an input
// named "Quillfront" joined to every MIDI output the system has, and to new
// ones as they appear. Each joined output delivers on its library's thread
// into a queue of its own, which the main thread empties. Looking for outputs
// takes milliseconds (a JACK client is opened each time no server answers), so
// the editor does it on a thread of its own (joinEvery).
#pragma once

#include "editor/controllers/ControlQueue.h"
#include "editor/controllers/ControllerBinding.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
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
    // Chooses the system now, then calls joinNewOutputs every `interval` on a
    // thread of its own until destruction; takeJoinedName() gives what it joined.
    void joinEvery(std::chrono::milliseconds interval);
    std::optional<std::string> takeJoinedName() { return joinedNames_.pop(); }
    // The outputs that vanished since the last call (unplugged, or their program ended).
    std::optional<std::string> takeLeftName() { return leftNames_.pop(); }
    std::string system() const;

    // The main thread's side: the next message from any joined output, or none.
    // Never waits: while an output is being added it answers none.
    std::optional<ControlMessage> take();
    // Messages lost because the main thread fell behind.
    uint64_t dropped() const;

    using Queue = ControlQueue<ControlMessage, 1024>;

private:
    struct Joined;
    bool chooseSystem();
    void joinUntilStopped(std::chrono::milliseconds interval);
    void letGoOfVanishedOutputs(const std::vector<std::string>& present);

    std::unique_ptr<RtMidiIn> scanner_; // lists the outputs; joins none
    mutable std::mutex mutex_;          // guards system_ and joined_, which the joining thread changes
    std::string system_;
    std::vector<std::unique_ptr<Joined>> joined_;
    size_t next_ = 0; // the joined output take() asks first, so none starves the others
    ControlQueue<std::string, 64> joinedNames_;
    ControlQueue<std::string, 64> leftNames_;
    std::thread joiner_;
    std::condition_variable stopAsked_;
    bool stopping_ = false; // under mutex_
};
