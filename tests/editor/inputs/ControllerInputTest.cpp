// The inputs controls arrive by, for real: OSC datagrams over the loopback
// and MIDI through a JACK server of the test's own.
#include "editor/inputs/MidiInput.h"
#include "editor/inputs/OscInput.h"
#include "editor/windows/ControllerDesk.h"
#include "support/Shell.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <lo/lo.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

// `message` serialised as a sender puts it on the wire, to `path`.
std::vector<uint8_t> serialised(lo_message message, const char* path) {
    size_t size = 0;
    void* bytes = lo_message_serialise(message, path, nullptr, &size);
    std::vector<uint8_t> wire(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + size);
    std::free(bytes);
    lo_message_free(message);
    return wire;
}

std::vector<uint8_t> oscFloat(const char* path, float value) {
    lo_message message = lo_message_new();
    lo_message_add_float(message, value);
    return serialised(message, path);
}

TEST(ControllerInputTest, OscMessagesCarryingOneNumberAreReadAndNothingElse) {
    std::optional<ControlMessage> read = oscControlMessage(oscFloat("/1/fader2", 0.25f));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->source.kind, ControlKind::Osc);
    EXPECT_EQ(read->source.address, "/1/fader2");
    EXPECT_EQ(read->value, 0.25f);
    lo_message integer = lo_message_new();
    lo_message_add_int32(integer, 100);
    EXPECT_EQ(oscControlMessage(serialised(integer, "/knob"))->value, 100.0f);

    lo_message two = lo_message_new();
    lo_message_add_float(two, 1.0f);
    lo_message_add_float(two, 2.0f);
    lo_message text = lo_message_new();
    lo_message_add_string(text, "0.5");
    std::vector<uint8_t> truncated = oscFloat("/fader", 1.0f);
    truncated.resize(truncated.size() - 3);
    std::vector<uint8_t> oversized = oscFloat(std::string("/" + std::string(5000, 'a')).c_str(), 1.0f);
    std::vector<uint8_t> noise(64);
    for (size_t index = 0; index < noise.size(); ++index)
        noise[index] = static_cast<uint8_t>(index * 37 + 11);
    noise[0] = '/';
    const std::vector<uint8_t> bundle = {'#', 'b', 'u', 'n', 'd', 'l', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (const std::vector<uint8_t>& refused : {serialised(two, "/xy"), serialised(text, "/label"), truncated,
                                                oversized, noise, bundle, std::vector<uint8_t>()})
        EXPECT_FALSE(oscControlMessage(refused));
}

TEST(ControllerInputTest, ABurstOverTheLoopbackArrivesWhole) {
    OscInput input;
    const int port = 20000 + getpid() % 20000;
    ASSERT_EQ(input.listen(port, false), std::nullopt);
    lo_address address = lo_address_new("127.0.0.1", std::to_string(port).c_str());
    constexpr int sent = 10000;
    int received = 0;
    float last = -1.0f;
    std::thread sender([&] {
        // Ten thousand in one second, a hundred every 10 ms.
        for (int value = 0; value < sent; ++value) {
            lo_send(address, "/fader", "f", static_cast<double>(value));
            if (value % 100 == 99)
                std::this_thread::sleep_for(10ms);
        }
        lo_send(address, "/xy", "ff", 1.0, 2.0);
    });
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (received < sent && std::chrono::steady_clock::now() < deadline) {
        while (const std::optional<ControlMessage> message = input.take()) {
            EXPECT_GT(message->value, last);
            last = message->value;
            ++received;
        }
        std::this_thread::sleep_for(1ms);
    }
    sender.join();
    lo_address_free(address);
    EXPECT_EQ(received, sent);
    EXPECT_EQ(input.dropped(), 0u);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(input.refused(), 1u) << "the message with two numbers";
    EXPECT_NE(OscInput().listen(port, false), std::nullopt) << "the port is taken";
}

TEST(ControllerInputTest, MidiMessagesBecomeControls) {
    const uint8_t change[] = {0xb2, 7, 100};
    EXPECT_EQ(midiControlMessage(change)->source, (ControlSource{ControlKind::ControlChange, 2, 7, {}}));
    const uint8_t bend[] = {0xe0, 0x00, 0x40};
    EXPECT_EQ(midiControlMessage(bend)->value, 8192.0f);
    const uint8_t note[] = {0x99, 36, 90};
    EXPECT_EQ(midiControlMessage(note)->source.kind, ControlKind::NoteVelocity);
    const uint8_t noteOff[] = {0x99, 36, 0};
    const uint8_t badData[] = {0xb0, 0x80, 1};
    const uint8_t sysex[] = {0xf0, 0x7d, 0xf7};
    const uint8_t clock[] = {0xf8};
    for (std::span<const uint8_t> refused : {std::span<const uint8_t>(noteOff), std::span<const uint8_t>(badData),
                                             std::span<const uint8_t>(sysex), std::span<const uint8_t>(clock)})
        EXPECT_FALSE(midiControlMessage(refused));
}

// A JACK server of the test's own, on the dummy back end, and a controller on it.
class JackMidiTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.enter();
        server = "quillfront-test-" + std::to_string(getpid());
        setenv("JACK_DEFAULT_SERVER", server.c_str(), 1);
        setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
        runShell("jackd -n " + server + " --no-realtime -d dummy >jackd.log 2>&1 & echo $! >jackd.pid");
        startSender();
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!std::filesystem::exists("ready") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
    }
    void TearDown() override {
        std::ofstream("done");
        runShell("kill $(cat jackd.pid); wait");
    }
    void startSender() {
        runShell("/usr/bin/python3 " + quoted(std::string(QUILLFRONT_SOURCE) + "/tests/editor/inputs/midi_sender.py") +
                 " . >sender.log 2>&1 &");
    }

    TempDir dir;
    std::string server;
};

TEST_F(JackMidiTest, AControllerIsJoinedAndItsMovesArriveInOrder) {
    ASSERT_TRUE(std::filesystem::exists("ready")) << runShell("cat jackd.log sender.log").output;
    MidiInput input;
    const std::vector<std::string> joined = input.joinNewOutputs();
    EXPECT_EQ(input.system(), "Jack");
    ASSERT_EQ(joined, std::vector<std::string>{"sender:fader"});
    EXPECT_TRUE(input.joinNewOutputs().empty()) << "joined once";
    std::ofstream("go");
    std::vector<float> values;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (values.size() < 128 && std::chrono::steady_clock::now() < deadline) {
        while (const std::optional<ControlMessage> message = input.take()) {
            EXPECT_EQ(message->source, (ControlSource{ControlKind::ControlChange, 1, 7, {}}));
            values.push_back(message->value);
        }
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(values.size(), 128u) << "the system-exclusive messages between are not controls";
    for (size_t index = 0; index < values.size(); ++index)
        EXPECT_EQ(values[index], static_cast<float>(index));
    EXPECT_EQ(input.dropped(), 0u);
}

// The editor's side: the output is joined by the desk's own thread, Learn
// binds the first control change, not the system-exclusive messages around
// it, and the controller is joined again after it was unplugged.
TEST_F(JackMidiTest, TheEditorJoinsTheControllerAndLearnBindsItsFader) {
    ASSERT_TRUE(std::filesystem::exists("ready")) << runShell("cat jackd.log sender.log").output;
    Demo demo;
    EditHistory history;
    BeatClock clock;
    StatusLine status{clock.ticks};
    ControllerDesk desk;
    desk.start(".", status);
    desk.toggleLearning({"Sky", "glow"});
    // Frames until `done`, for up to 10 s.
    const auto framesUntil = [&](auto done) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            desk.poll(demo, history, clock, status, ControllerDesk::Clock::now());
            std::this_thread::sleep_for(5ms);
        }
    };
    framesUntil([&] { return !desk.midiOutputs().empty(); });
    ASSERT_EQ(desk.midiOutputs(), std::vector<std::string>{"sender:fader"});
    EXPECT_EQ(status.text, "MIDI: joined sender:fader (Jack)");
    std::ofstream("go");
    framesUntil([&] { return desk.received() >= 128; });
    EXPECT_EQ(desk.received(), 128u);
    ASSERT_EQ(desk.bindings().size(), 1u);
    EXPECT_EQ(controlName(desk.bindings()[0].source), "MIDI 2 CC 7");
    EXPECT_EQ(desk.dropped(), 0u);

    // Unplugged, then plugged in again under the same name: joined again.
    std::ofstream("done");
    framesUntil([&] { return desk.midiOutputs().empty(); });
    EXPECT_EQ(status.text, "MIDI: sender:fader left");
    std::filesystem::remove("done");
    startSender();
    framesUntil([&] { return !desk.midiOutputs().empty(); });
    EXPECT_EQ(desk.midiOutputs(), std::vector<std::string>{"sender:fader"});
}

} // namespace
