#include "editor/inputs/OscInput.h"

#include "platform/Platform.h"

#include <lo/lo.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The largest datagram read whole; OSC controls send tens of bytes.
constexpr size_t maxDatagram = 4096;

// A lo_message is an opaque pointer.
struct MessageFree {
    void operator()(void* message) const { lo_message_free(message); }
};

std::optional<float> numberArgument(char type, const lo_arg& argument) {
    switch (type) {
    case LO_INT32:
        return static_cast<float>(argument.i);
    case LO_INT64:
        return static_cast<float>(argument.h);
    case LO_FLOAT:
        return argument.f;
    case LO_DOUBLE:
        return static_cast<float>(argument.d);
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<ControlMessage> oscControlMessage(std::span<const uint8_t> datagram) {
    if (datagram.empty() || datagram.size() > maxDatagram || datagram[0] != '/')
        return std::nullopt;
    // liblo reads from memory it may not write to only through a copy.
    std::vector<uint8_t> bytes(datagram.begin(), datagram.end());
    int result = 0;
    const std::unique_ptr<void, MessageFree> message(lo_message_deserialise(bytes.data(), bytes.size(), &result));
    if (!message || lo_message_get_argc(message.get()) != 1)
        return std::nullopt;
    const std::optional<float> value =
        numberArgument(lo_message_get_types(message.get())[0], *lo_message_get_argv(message.get())[0]);
    if (!value)
        return std::nullopt;
    ControlMessage control;
    control.source.kind = ControlKind::Osc;
    // A message that deserialised starts with its address, ended by a NUL.
    control.source.address = std::string(reinterpret_cast<const char*>(bytes.data()),
                                         strnlen(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    control.value = *value;
    return control;
}

std::optional<std::string> OscInput::listen(int port, bool network) {
    stop();
    std::string problem;
    socket_ = openUdpReceiver(port, network, problem);
    if (socket_ < 0)
        return "cannot listen on port " + std::to_string(port) + ": " + problem;
    running_ = true;
    thread_ = std::thread([this] { receive(); });
    return std::nullopt;
}

void OscInput::stop() {
    running_ = false;
    if (thread_.joinable())
        thread_.join();
    if (socket_ >= 0)
        closeUdpReceiver(socket_);
    socket_ = -1;
}

void OscInput::receive() {
    std::vector<uint8_t> buffer(maxDatagram + 1);
    while (running_) {
        // A short wait, so that stop() is heard within a tenth of a second.
        const int64_t size = receiveDatagram(socket_, buffer, 100);
        if (size <= 0)
            continue;
        const std::optional<ControlMessage> message =
            static_cast<size_t>(size) <= maxDatagram
                ? oscControlMessage(std::span(buffer.data(), static_cast<size_t>(size)))
                : std::nullopt;
        if (message)
            queue_.push(*message);
        else
            refused_.fetch_add(1, std::memory_order_relaxed);
    }
}
