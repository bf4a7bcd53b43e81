#include "editor/windows/ControllerDesk.h"

#include "editor/windows/eventmanager/VariableRows.h"
#include "project/FileIo.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int mostPerFrame = 4096;

bool sameBinding(const ControllerBinding& a, const ControllerBinding& b) {
    return a.source == b.source && a.event == b.event && a.variable == b.variable;
}

Event* eventNamed(const Demo& demo, const std::string& name) {
    for (const auto& event : demo.events)
        if (event->name == name)
            return event.get();
    return nullptr;
}

// The uniform the binding moves, with its event; none while either is gone.
const UniformDef* uniformOf(const Demo& demo, const ControllerBinding& binding, Event** event = nullptr) {
    Event* bound = eventNamed(demo, binding.event);
    if (!bound)
        return nullptr;
    for (const VariableRow& row : variableRows(*bound)) {
        if (row.key == binding.variable && row.uniform) {
            if (event)
                *event = bound;
            return row.uniform;
        }
    }
    return nullptr;
}

std::string targetName(const ControllerBinding& binding) { return "\"" + binding.event + "\" " + binding.variable; }

} // namespace

void ControllerDesk::start(const std::filesystem::path& folder, StatusLine& status) {
    if (started_)
        return;
    started_ = true;
    file_ = folder / controllersFileName;
    if (std::filesystem::exists(file_)) {
        std::vector<std::string> problems;
        setup_ = readControllers(tryReadWholeFile(file_).value_or(""), problems);
        if (!problems.empty())
            status.set(std::string(controllersFileName) + ": " + problems.front());
    }
    hub_.bindings = std::move(setup_.bindings);
    midi_ = std::make_unique<MidiInput>();
    midi_->joinEvery(joinInterval);
    osc_ = std::make_unique<OscInput>();
    listenForOsc(setup_.oscPort, setup_.oscOnNetwork);
}

void ControllerDesk::poll(const Demo& demo, EditHistory& history, const BeatClock& clock, StatusLine& status,
                          Clock::time_point now) {
    now_ = now;
    if (!started_)
        return;
    while (std::optional<std::string> name = midi_->takeLeftName()) {
        status.set("MIDI: " + *name + " left");
        std::erase(midiOutputs_, *name);
    }
    while (std::optional<std::string> name = midi_->takeJoinedName()) {
        status.set("MIDI: joined " + *name + " (" + midi_->system() + ")");
        midiOutputs_.push_back(std::move(*name));
    }
    const bool capturing = recording && !clock.paused;
    // A queue's worth from each at most, so that a sender as fast as this
    // loop cannot hold the frame; what waits is taken in the next.
    for (int count = 0; count < mostPerFrame; ++count) {
        const std::optional<ControlMessage> midi = midi_->take();
        const std::optional<ControlMessage> osc = osc_->take();
        if (!midi && !osc)
            break;
        if (midi)
            handleMessage(*midi, clock, capturing, status);
        if (osc)
            handleMessage(*osc, clock, capturing, status);
    }
    if (wasCapturing_ && !capturing)
        commitTakes(demo, history, status);
    wasCapturing_ = capturing;
    noteInactiveBindings(demo, status);
}

void ControllerDesk::handleMessage(const ControlMessage& message, const BeatClock& clock, bool capturing,
                                   StatusLine& status) {
    ++received_;
    const auto last = std::find_if(lastValues_.begin(), lastValues_.end(),
                                   [&](const LastValue& value) { return value.source == message.source; });
    if (last == lastValues_.end())
        lastValues_.push_back({message.source, message.value});
    else
        last->raw = message.value;
    const std::optional<float> beat = capturing ? std::optional<float>(clock.currentBeat) : std::nullopt;
    if (const std::optional<ControllerBinding> learned = hub_.handle(message, now_, beat)) {
        status.set(controlName(learned->source) + " moves " + targetName(*learned));
        save();
    }
}

void ControllerDesk::commitTakes(const Demo& demo, EditHistory& history, StatusLine& status) {
    for (const ControllerHub::Take& take : hub_.takeTakes()) {
        const ControllerBinding* binding = bindingOf(take.target);
        Event* event = nullptr;
        const UniformDef* uniform = binding ? uniformOf(demo, *binding, &event) : nullptr;
        if (!uniform) {
            status.set("A take of \"" + take.target.event + "\" " + take.target.variable + " was lost: it is gone");
            continue;
        }
        recordTake(history, *event, take.target.variable, takeInCurve(take, *event, *uniform),
                   takeTolerance(*binding, *uniform));
    }
}

void ControllerDesk::noteInactiveBindings(const Demo& demo, StatusLine& status) {
    std::vector<ControllerBinding> inactive;
    for (const ControllerBinding& binding : hub_.bindings) {
        if (active(binding, demo))
            continue;
        const bool known = std::any_of(inactive_.begin(), inactive_.end(),
                                       [&](const ControllerBinding& gone) { return sameBinding(gone, binding); });
        if (!known)
            status.set(controlName(binding.source) + " rests: " + targetName(binding) +
                       " is gone (an undo brings it back)");
        inactive.push_back(binding);
    }
    inactive_ = std::move(inactive);
}

std::optional<float> ControllerDesk::heldValue(const Event& event, const std::string& key,
                                               const UniformDef& uniform) const {
    if (const std::optional<float> fraction = hub_.touched(event.name, key, now_))
        return uniformValueAt(uniform, *fraction);
    return std::nullopt;
}

void ControllerDesk::toggleLearning(const Target& target) {
    if (hub_.learning == target)
        hub_.learning.reset();
    else
        hub_.learning = target;
}

const ControllerBinding* ControllerDesk::bindingOf(const Target& target) const {
    for (const ControllerBinding& binding : hub_.bindings)
        if (binding.event == target.event && binding.variable == target.variable)
            return &binding;
    return nullptr;
}

void ControllerDesk::removeBinding(size_t index) {
    if (index >= hub_.bindings.size())
        return;
    hub_.bindings.erase(hub_.bindings.begin() + static_cast<std::ptrdiff_t>(index));
    save();
}

void ControllerDesk::setOscRange(size_t index, float low, float high) {
    if (index >= hub_.bindings.size() || !std::isfinite(low) || !std::isfinite(high) || low == high)
        return;
    hub_.bindings[index].oscLow = low;
    hub_.bindings[index].oscHigh = high;
    save();
}

std::optional<float> ControllerDesk::lastValue(const ControllerBinding& binding, const Demo& demo) const {
    for (const LastValue& value : lastValues_) {
        if (value.source != binding.source)
            continue;
        if (const UniformDef* uniform = uniformOf(demo, binding))
            return uniformValueAt(*uniform, controlFraction(binding, value.raw));
        return value.raw;
    }
    return std::nullopt;
}

bool ControllerDesk::active(const ControllerBinding& binding, const Demo& demo) const {
    return uniformOf(demo, binding) != nullptr;
}

void ControllerDesk::listenForOsc(int port, bool network) {
    setup_.oscPort = std::clamp(port, 1, 65535);
    setup_.oscOnNetwork = network;
    if (!osc_)
        return;
    const std::string where =
        (network ? "every address" : "127.0.0.1") + std::string(", port ") + std::to_string(setup_.oscPort);
    if (const std::optional<std::string> refused = osc_->listen(setup_.oscPort, network))
        oscState_ = "Not listening on " + where + ": " + *refused;
    else
        oscState_ = "Listening on " + where;
    save();
}

uint64_t ControllerDesk::dropped() const { return (midi_ ? midi_->dropped() : 0) + (osc_ ? osc_->dropped() : 0); }

void ControllerDesk::save() {
    if (file_.empty())
        return;
    const ControllerSetup saved{hub_.bindings, setup_.oscPort, setup_.oscOnNetwork};
    const std::string text = controllersJson(saved);
    // Only a change is written, so starting and looking leave the folder as it was.
    const std::optional<std::string> stored = tryReadWholeFile(file_);
    if (stored ? *stored == text : text == controllersJson({}))
        return;
    const std::error_code error = writeWholeFile(file_, text);
    fileProblem_ = error ? std::string(controllersFileName) + " not saved: " + error.message() : std::string();
}
