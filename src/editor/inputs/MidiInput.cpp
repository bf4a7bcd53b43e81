#include "editor/inputs/MidiInput.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <iostream>

namespace {

const char* const clientName = "Quillfront";

bool isData(uint8_t byte) { return byte < 0x80; }

void receive(double, std::vector<unsigned char>* bytes, void* queue) {
    if (const std::optional<ControlMessage> message = midiControlMessage(*bytes))
        static_cast<MidiInput::Queue*>(queue)->push(*message);
}

// Errors of a port that goes away are the user's to see on the status line
// through what stops arriving, not through an exception on a library thread.
void ignoreError(RtMidiError::Type, const std::string&, void*) {}

// JACK writes to standard error each time no server answers, which while
// the editor looks for outputs would be every interval.
void quiet(const char*) {}
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// RtMidi and ALSA write why a system does not answer to standard error; the
// Controllers window says which one answered instead.
class QuietStandardError {
public:
    QuietStandardError() : kept_(std::cerr.rdbuf(nullptr)) { snd_lib_error_set_handler(quietAlsa); }
    ~QuietStandardError() {
        snd_lib_error_set_handler(nullptr);
        std::cerr.rdbuf(kept_);
        std::cerr.clear();
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    std::streambuf* kept_;
};

} // namespace

std::optional<ControlMessage> midiControlMessage(std::span<const uint8_t> bytes) {
    if (bytes.size() != 3 || !isData(bytes[1]) || !isData(bytes[2]))
        return std::nullopt;
    ControlMessage message;
    message.source.channel = bytes[0] & 0x0f;
    switch (bytes[0] & 0xf0) {
    case 0xb0:
        message.source.kind = ControlKind::ControlChange;
        message.source.number = bytes[1];
        message.value = bytes[2];
        return message;
    case 0xe0:
        message.source.kind = ControlKind::PitchBend;
        message.value = static_cast<float>(bytes[2] << 7 | bytes[1]);
        return message;
    case 0x90:
        if (bytes[2] == 0) // a note off, by another name
            return std::nullopt;
        message.source.kind = ControlKind::NoteVelocity;
        message.source.number = bytes[1];
        message.value = bytes[2];
        return message;
    default:
        return std::nullopt;
    }
}

struct MidiInput::Joined {
    std::string name;
    RtMidiIn input;
    Queue queue;

    Joined(RtMidi::Api api, std::string output) : name(std::move(output)), input(api, clientName) {}
};

MidiInput::MidiInput() = default;

MidiInput::~MidiInput() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopAsked_.notify_all();
    if (joiner_.joinable())
        joiner_.join();
}

std::string MidiInput::system() const {
    std::lock_guard lock(mutex_);
    return system_;
}

void MidiInput::joinEvery(std::chrono::milliseconds interval) {
    // The system is chosen here, on the caller's thread, because choosing
    // quiets standard error for a moment.
    if (!joiner_.joinable() && (scanner_ || chooseSystem()))
        joiner_ = std::thread([this, interval] { joinUntilStopped(interval); });
}

void MidiInput::joinUntilStopped(std::chrono::milliseconds interval) {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        for (std::string& name : joinNewOutputs())
            joinedNames_.push(std::move(name));
        lock.lock();
        stopAsked_.wait_for(lock, interval, [this] { return stopping_; });
    }
}

bool MidiInput::chooseSystem() {
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    const QuietStandardError quietened;
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    // ALSA where there is a sequencer, else JACK where a server runs.
    for (const RtMidi::Api api : apis) {
        try {
            auto scanner = std::make_unique<RtMidiIn>(api, clientName);
            scanner->setErrorCallback(ignoreError);
            scanner_ = std::move(scanner);
            std::lock_guard lock(mutex_);
            system_ = RtMidi::getApiDisplayName(api);
            return true;
        } catch (const RtMidiError&) {
        }
    }
    return false;
}

std::vector<std::string> MidiInput::joinNewOutputs() {
    std::vector<std::string> joinedNow;
    if (!scanner_ && !chooseSystem())
        return joinedNow;
    std::vector<std::string> present;
    const unsigned count = scanner_->getPortCount();
    for (unsigned port = 0; port < count; ++port)
        present.push_back(scanner_->getPortName(port));
    letGoOfVanishedOutputs(present);
    for (unsigned port = 0; port < present.size(); ++port) {
        const std::string& name = present[port];
        // Only this thread changes joined_, so reading it here needs no lock.
        const bool known = std::any_of(joined_.begin(), joined_.end(),
                                       [&](const std::unique_ptr<Joined>& joined) { return joined->name == name; });
        // Our own inputs are listed too: joining them would feed nothing.
        if (name.empty() || known || name.find(clientName) != std::string::npos)
            continue;
        try {
            auto joined = std::make_unique<Joined>(scanner_->getCurrentApi(), name);
            joined->input.setErrorCallback(ignoreError);
            joined->input.ignoreTypes(true, true, true);
            joined->input.setCallback(receive, &joined->queue);
            joined->input.openPort(port, clientName);
            std::lock_guard lock(mutex_);
            joined_.push_back(std::move(joined));
            joinedNow.push_back(name);
        } catch (const RtMidiError&) {
        }
    }
    return joinedNow;
}

// A controller unplugged and plugged in again comes back under the same
// name: letting go of it when it vanishes is what lets it be joined again.
void MidiInput::letGoOfVanishedOutputs(const std::vector<std::string>& present) {
    std::vector<std::unique_ptr<Joined>> vanished;
    {
        std::lock_guard lock(mutex_);
        for (auto joined = joined_.begin(); joined != joined_.end();) {
            if (std::find(present.begin(), present.end(), (*joined)->name) != present.end()) {
                ++joined;
                continue;
            }
            vanished.push_back(std::move(*joined));
            joined = joined_.erase(joined);
        }
    }
    // Closed outside the lock: take() never waits on a port's teardown.
    for (std::unique_ptr<Joined>& joined : vanished)
        leftNames_.push(std::move(joined->name));
}

std::optional<ControlMessage> MidiInput::take() {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock)
        return std::nullopt;
    for (size_t tried = 0; tried < joined_.size(); ++tried) {
        Joined& joined = *joined_[next_++ % joined_.size()];
        if (std::optional<ControlMessage> message = joined.queue.pop())
            return message;
    }
    return std::nullopt;
}

uint64_t MidiInput::dropped() const {
    std::lock_guard lock(mutex_);
    uint64_t dropped = 0;
    for (const std::unique_ptr<Joined>& joined : joined_)
        dropped += joined->queue.dropped();
    return dropped;
}
