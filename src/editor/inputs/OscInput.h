// OSC over UDP: a thread of its own takes each datagram, reads it with liblo
// and queues the messages that carry one number for the main thread. Anything
// else (a bundle, a malformed or oversized packet, other arguments) is counted
// and dropped: a sender on the network cannot make it do more.
#pragma once

#include "editor/controllers/ControlQueue.h"
#include "editor/controllers/ControllerBinding.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <thread>

// The control message `datagram` holds: an OSC message whose one argument is
// a number (int32, int64, float or double). None for anything else.
std::optional<ControlMessage> oscControlMessage(std::span<const uint8_t> datagram);

class OscInput {
public:
    OscInput() = default;
    OscInput(const OscInput&) = delete;
    OscInput& operator=(const OscInput&) = delete;
    ~OscInput() { stop(); }

    // Listens on `port`, from this machine alone unless `network`; stops what
    // it listened on before. The reason when it cannot.
    std::optional<std::string> listen(int port, bool network);
    void stop();
    bool listening() const { return thread_.joinable(); }

    // The main thread's side: the next message, or none.
    std::optional<ControlMessage> take() { return queue_.pop(); }
    // Messages lost because the main thread fell behind.
    uint64_t dropped() const { return queue_.dropped(); }
    // Datagrams that were not one number to an address.
    uint64_t refused() const { return refused_.load(std::memory_order_relaxed); }

private:
    void receive();

    ControlQueue<ControlMessage, 4096> queue_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<uint64_t> refused_{0};
    int socket_ = -1;
};
