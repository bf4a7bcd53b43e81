// Bindings of controls to variables: their ranges, their file, and the queue
// their messages cross threads by.
#include "editor/controllers/ControllerFile.h"
#include "editor/controllers/ControlQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

ControllerBinding bound(ControlKind kind, int channel, int number, std::string address = {}) {
    ControllerBinding binding;
    binding.source = {kind, channel, number, std::move(address)};
    binding.event = "Sky";
    binding.variable = "glow";
    return binding;
}

TEST(ControllerFileTest, EachControlsRangeMapsOntoTheUniformsRange) {
    UniformDef uniform;
    uniform.minVal = -2.0f;
    uniform.maxVal = 2.0f;
    EXPECT_EQ(uniformValueAt(uniform, controlFraction(bound(ControlKind::ControlChange, 0, 7), 127.0f)), 2.0f);
    EXPECT_EQ(uniformValueAt(uniform, controlFraction(bound(ControlKind::NoteVelocity, 9, 36), 0.0f)), -2.0f);
    EXPECT_NEAR(controlFraction(bound(ControlKind::PitchBend, 0, 0), 8192.0f), 0.5f, 0.001f);
    ControllerBinding osc = bound(ControlKind::Osc, 0, 0, "/fader1");
    osc.oscLow = 10.0f;
    osc.oscHigh = 20.0f;
    EXPECT_EQ(controlFraction(osc, 15.0f), 0.5f);
    EXPECT_EQ(controlFraction(osc, 99.0f), 1.0f) << "beyond the range: its end";
    EXPECT_EQ(controlFraction(osc, NAN), 0.0f);
    osc.oscHigh = 10.0f;
    EXPECT_EQ(controlFraction(osc, 10.0f), 0.0f) << "an empty range";
    EXPECT_NEAR(takeTolerance(bound(ControlKind::ControlChange, 0, 7), uniform), 4.0f / 127.0f, 1e-6f)
        << "a 7-bit control's step is coarser than half a percent";
    EXPECT_NEAR(takeTolerance(bound(ControlKind::PitchBend, 0, 0), uniform), 0.02f, 1e-6f);
    EXPECT_EQ(controlName(bound(ControlKind::ControlChange, 0, 7).source), "MIDI 1 CC 7");
    EXPECT_EQ(controlName(osc.source), "OSC /fader1");
}

TEST(ControllerFileTest, BindingsGoToTheFileAndBack) {
    ControllerBinding osc = bound(ControlKind::Osc, 0, 0, "/1/fader2");
    osc.oscLow = -1.0f;
    osc.oscHigh = 0.5f;
    const std::vector<ControllerBinding> bindings = {bound(ControlKind::ControlChange, 15, 127),
                                                     bound(ControlKind::PitchBend, 3, 0),
                                                     bound(ControlKind::NoteVelocity, 9, 36), osc};
    std::vector<std::string> problems;
    const ControllerSetup setup = readControllers(controllersJson({bindings, 9100, true}), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(setup.oscPort, 9100);
    EXPECT_TRUE(setup.oscOnNetwork);
    const std::vector<ControllerBinding>& read = setup.bindings;
    ASSERT_EQ(read.size(), bindings.size());
    for (size_t index = 0; index < read.size(); ++index) {
        EXPECT_EQ(read[index].source, bindings[index].source) << index;
        EXPECT_EQ(read[index].event, "Sky");
        EXPECT_EQ(read[index].variable, "glow");
    }
    EXPECT_EQ(read[3].oscLow, -1.0f);
    EXPECT_EQ(read[3].oscHigh, 0.5f);
}

TEST(ControllerFileTest, ADamagedFileLosesOnlyTheEntriesItSpoils) {
    std::vector<std::string> problems;
    EXPECT_TRUE(readControllers("{\"controllers\": [", problems).bindings.empty());
    EXPECT_EQ(problems.size(), 1u);
    problems.clear();
    const char* text = R"({"osc_port": 70000, "controllers": [
        {"control": "cc", "channel": 1, "number": 7, "event": "Sky", "variable": "glow"},
        {"control": "cc", "channel": 17, "number": 7, "event": "Sky", "variable": "glow"},
        {"control": "cc", "channel": 1.5, "number": 7, "event": "Sky", "variable": "glow"},
        {"control": "note", "channel": 1, "number": 1e300, "event": "Sky", "variable": "glow"},
        {"control": "osc", "address": "fader", "low": 0, "high": 1, "event": "Sky", "variable": "glow"},
        {"control": "osc", "address": "/f", "low": 1, "high": 1, "event": "Sky", "variable": "glow"},
        {"control": "dmx", "event": "Sky", "variable": "glow"},
        {"control": "bend", "channel": 2, "event": "", "variable": "glow"},
        [], 7, "cc",
        {"control": "bend", "channel": 2, "event": "Sky", "variable": "glow"}]})";
    const ControllerSetup setup = readControllers(text, problems);
    EXPECT_EQ(setup.oscPort, defaultOscPort);
    const std::vector<ControllerBinding>& read = setup.bindings;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].source.kind, ControlKind::PitchBend);
    EXPECT_EQ(read[1].source.channel, 1);
    ASSERT_EQ(problems.size(), 11u);
    EXPECT_EQ(problems[0], "\"osc_port\" is not a port from 1 to 65535");
    EXPECT_EQ(problems[1],
              "controller 2 left out: its MIDI channel (1 to 16) or number (0 to 127) is missing or wrong");
}

TEST(ControllerFileTest, TheQueueCountsWhatItCannotHoldAndKeepsTheRestInOrder) {
    ControlQueue<int, 4> small;
    for (int value = 0; value < 6; ++value)
        small.push(value);
    EXPECT_EQ(small.dropped(), 2u);
    EXPECT_EQ(small.pop(), 0);

    ControlQueue<int, 1024> queue;
    constexpr int sent = 100000;
    std::atomic<bool> done{false};
    std::thread producer([&] {
        for (int value = 0; value < sent; ++value)
            queue.push(value);
        done = true;
    });
    int received = 0;
    int last = -1;
    const auto takeAll = [&] {
        while (const std::optional<int> value = queue.pop()) {
            ASSERT_GT(*value, last);
            last = *value;
            ++received;
        }
    };
    while (!done)
        takeAll();
    producer.join();
    takeAll();
    EXPECT_EQ(received + static_cast<int>(queue.dropped()), sent);
}

} // namespace
