// Controllers in the real editor on the bundled example, with OSC sent over
// the loopback to a port typed into the Controllers window: Learn binds, a
// moving control holds its variable in the picture, and a take recorded while
// the demo plays becomes its curve in one step of the history.
#include "project/FileIo.h"
#include "support/EventManagerTest.h"
#include "support/FakeTicks.h"
#include "support/PresentedPixel.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <lo/lo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::chrono_literals;

const char* const controllers = "Controllers";
const ItemPath glowLearn = inspector / 0 / "Learn";

class ControllersTest : public EventManagerTest {
protected:
    void SetUp() override {
        EventManagerTest::SetUp();
        if (HasFatalFailure())
            return;
        gui.ctrlShiftKey(SDLK_k);
        gui.typeInto(controllers, "OSC port", std::to_string(port), false);
        ASSERT_THAT(desk().oscState(), HasSubstr("Listening on 127.0.0.1, port " + std::to_string(port)));
        address = lo_address_new("127.0.0.1", std::to_string(port).c_str());
        select(sky);
    }
    void TearDown() override { lo_address_free(address); }

    ControllerDesk& desk() { return session.app.editor.controllers; }
    const ControlPointList& glow() { return *event(sky).findVariable("glow"); }
    const UniformDef& glowUniform() { return *event(sky).effect->program->uniformDefs.at(0); }

    // Sends `value` to "/fader" and runs frames until the editor has taken it.
    void send(float value) {
        const uint64_t before = desk().received();
        lo_send(address, "/fader", "f", static_cast<double>(value));
        for (int frame = 0; frame < 100 && desk().received() == before; ++frame) {
            std::this_thread::sleep_for(2ms);
            gui.frames(1);
        }
        ASSERT_GT(desk().received(), before) << "the message arrived";
    }
    // Sends `bytes` as one datagram, as a broken or hostile sender does.
    void sendRaw(const std::vector<uint8_t>& bytes) {
        const int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        sendto(socket, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        close(socket);
    }
    int horizonRed() {
        const Placement viewport = gui.windowPlace("Viewport");
        const float y = viewport.y + 19.0f + 8.0f + (viewport.width - 16.0f) * 9.0f / 16.0f * 0.95f;
        return presentedPixel(session.app, viewport.x + viewport.width / 2.0f, y)[0];
    }

    int port = 40000 + getpid() % 20000;
    lo_address address = nullptr;
};

TEST_F(ControllersTest, LearnBindsAControlThatMovesThePictureAndNothingInTheProject) {
    const std::string before = saved();
    gui.typeInto(editorTitle, "##currentBeat", "0.5", false);
    gui.click(glowLearn);
    EXPECT_TRUE(desk().learning({"sky", "glow"}));
    send(0.0f);
    ASSERT_EQ(desk().bindings().size(), 1u);
    EXPECT_EQ(controlName(desk().bindings()[0].source), "OSC /fader");
    EXPECT_EQ(session.app.status.text, "OSC /fader moves \"sky\" glow");
    EXPECT_THAT(readWholeFile("controllers.json"), HasSubstr("\"/fader\""));

    gui.ctrlShiftKey(SDLK_e); // uncovers the Viewport
    gui.ctrlShiftKey(SDLK_k);
    std::this_thread::sleep_for(600ms);
    gui.frames(2);
    const int playing = horizonRed();
    send(0.0f);
    gui.frames(1);
    const int dark = horizonRed();
    send(1.0f);
    gui.frames(1);
    EXPECT_GT(horizonRed(), dark + 20) << "the fader's sweep brightens the horizon";
    std::this_thread::sleep_for(600ms);
    gui.frames(2);
    EXPECT_NEAR(horizonRed(), playing, 2) << "at rest, the curve plays again";
    EXPECT_TRUE(saved() == before) << "touching changes nothing in the project";
    gui.ctrlShiftKey(SDLK_k);
    EXPECT_THAT(gui.shownText(controllers), HasSubstr("1.000")) << "the last value, in the variable's units";

    gui.ctrlShiftKey(SDLK_e);
    gui.click(listCommands / "Delete");
    EXPECT_FALSE(desk().active(desk().bindings()[0], demo()));
    EXPECT_THAT(session.app.status.text, HasSubstr("OSC /fader rests: \"sky\" glow is gone"));
    EXPECT_THAT(gui.shownText(controllers), HasSubstr("(gone)"));
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(desk().active(desk().bindings()[0], demo())) << "the undo brings it back";

    gui.click({controllers, "Bindings", 0, "Remove"});
    EXPECT_TRUE(desk().bindings().empty());
    EXPECT_THAT(readWholeFile("controllers.json"), Not(HasSubstr("/fader")));
}

TEST_F(ControllersTest, ATakeRecordedWhilePlayingIsOneStepOfTheCurve) {
    session.app.clock.ticks = fakeTicks;
    fakeNow = 100000;
    gui.click(glowLearn);
    lo_send(address, "/xy", "ff", 0.5, 0.5);
    lo_send(address, "/name", "s", "fader");
    sendRaw({'#', 'b', 'u', 'n', 'd', 'l', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 1});
    sendRaw(std::vector<uint8_t>(3000, '/'));
    sendRaw({'/', 'f', 0, 0, ',', 'f', 0, 0, 0x3f});
    for (int wait = 0; wait < 50 && desk().refused() < 5; ++wait) {
        std::this_thread::sleep_for(2ms);
        gui.frames(1);
    }
    EXPECT_EQ(desk().refused(), 5u);
    EXPECT_TRUE(desk().bindings().empty()) << "hostile packets bind nothing";
    send(0.5f);
    ASSERT_EQ(desk().bindings().size(), 1u);

    gui.typeInto(editorTitle, "##currentBeat", "8", false);
    gui.click(editorTitle, "Record");
    const std::string before = saved();
    gui.click(editorTitle, "Play");
    struct Sent {
        float beat;
        float value;
    };
    std::vector<Sent> sent;
    // 160 moves over 4 beats (120 BPM, a move every 12.5 ms): one slow wave.
    for (int move = 0; move < 160; ++move) {
        fakeNow += move % 2 == 0 ? 12 : 13;
        const float value = 0.5f + 0.45f * std::sin(static_cast<float>(move) * 6.2832f / 160.0f);
        send(value);
        sent.push_back({session.app.clock.currentBeat, value});
    }
    EXPECT_NEAR(sent.back().beat - sent.front().beat, 4.0f, 0.05f);
    gui.click(editorTitle, "Pause");

    EXPECT_EQ(session.app.editor.history.undoName(), "Record glow");
    EXPECT_EQ(glow().mode, Linear);
    const UniformDef& uniform = glowUniform();
    const float range = uniform.maxVal - uniform.minVal;
    size_t inTake = 0;
    for (const ControlPoint& point : glow().points)
        inTake += point.beat + event(sky).startBeat >= sent.front().beat &&
                  point.beat + event(sky).startBeat <= sent.back().beat;
    EXPECT_LT(inTake, sent.size() / 4) << "thinned";
    for (const Sent& move : sent)
        EXPECT_NEAR(event(sky).evaluate(glow(), move.beat), uniformValueAt(uniform, move.value), 0.01f * range)
            << "at beat " << move.beat;

    const std::string recorded = saved();
    gui.ctrlKey(SDLK_z);
    EXPECT_TRUE(saved() == before) << "Ctrl+Z takes the take away whole";
    gui.ctrlKey(SDLK_y);
    EXPECT_TRUE(saved() == recorded);
}

} // namespace
