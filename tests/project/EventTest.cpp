// Curve and text evaluation of events: pure numbers, no display needed.
#include "project/Event.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

Event eventFrom(float start, float end) {
    Event event;
    event.startBeat = start;
    event.endBeat = end;
    return event;
}

ControlPointList curve(std::initializer_list<std::pair<float, float>> points, int32_t mode, bool repeat = false) {
    ControlPointList list;
    for (const auto& [beat, value] : points)
        list.points.push_back({beat, value, ""});
    list.mode = mode;
    list.repeat = repeat;
    return list;
}

struct EvaluationCase {
    const char* what;
    ControlPointList list;
    float beat;
    float expected;
};

void expectCases(const Event& event, std::initializer_list<EvaluationCase> cases) {
    for (const EvaluationCase& c : cases)
        EXPECT_NEAR(event.evaluate(c.list, c.beat), c.expected, 1e-5f) << c.what << " at beat " << c.beat;
}

TEST(EventEvaluateTest, LinearCurves) {
    const Event event = eventFrom(10.0f, 20.0f);
    const auto ramp = curve({{0, 0}, {4, 1}}, Linear);
    expectCases(event, {
                           {"halfway", ramp, 12.0f, 0.5f},
                           {"last point", ramp, 14.0f, 1.0f},
                           {"held after the last point", ramp, 16.0f, 1.0f},
                           {"end beat is inside", ramp, 20.0f, 1.0f},
                           {"after the end", ramp, 21.0f, 0.0f},
                           {"before the start", ramp, 9.0f, 0.0f},
                           {"repeat continues the line through last and first", curve({{0, 0}, {4, 1}}, Linear, true),
                            15.0f, 1.25f},
                           {"single point", curve({{0, 3}}, Linear), 17.0f, 3.0f},
                           {"single point with repeat", curve({{0, 3}}, Linear, true), 17.0f, 3.0f},
                           {"before the first point", curve({{2, 5}, {4, 6}}, Linear), 11.0f, 0.0f},
                           {"empty list", curve({}, Linear), 12.0f, 0.0f},
                       });
}

TEST(EventEvaluateTest, LastValueCurves) {
    const Event event = eventFrom(0.0f, 10.0f);
    const auto steps = curve({{2, 7}, {6, 9}}, LastValue);
    expectCases(event, {
                           {"before the first point", steps, 1.0f, 0.0f},
                           {"on the first point", steps, 2.0f, 7.0f},
                           {"just before the second", steps, 5.9f, 7.0f},
                           {"on the second point", steps, 6.0f, 9.0f},
                       });
}

TEST(EventEvaluateTest, SmoothCurvesPassThroughTheirPoints) {
    const Event event = eventFrom(0.0f, 16.0f);
    const auto wave = curve({{0, 1}, {4, 5}, {8, 2}, {12, 7}}, Smooth);
    const auto looped = curve({{0, 1}, {4, 5}, {8, 2}, {12, 7}}, Smooth, true);
    expectCases(event, {
                           {"first point", wave, 0.0f, 1.0f},
                           {"inner point", wave, 4.0f, 5.0f},
                           {"inner point", wave, 8.0f, 2.0f},
                           {"last point", wave, 12.0f, 7.0f},
                           // P0 = P1 at the first segment: 0.5 * (2 + 4t + (2 - 5 + 20 - 2)t^2 + (3 - 1 - 15 + 2)t^3)
                           {"first segment", wave, 2.0f, 0.5f * (2.0f + 2.0f + 15.0f * 0.25f - 11.0f * 0.125f)},
                           // With repeat the first segment's P0 is the last point (7).
                           {"first segment, wrapped", looped, 2.0f,
                            0.5f * (2.0f + (5.0f - 7.0f) * 0.5f + (14.0f - 5.0f + 20.0f - 2.0f) * 0.25f +
                                    (3.0f - 7.0f - 15.0f + 2.0f) * 0.125f)},
                       });
}

TEST(EventEvaluateTest, UnknownModesAndZeroLengthSegments) {
    const Event event = eventFrom(0.0f, 10.0f);
    expectCases(event,
                {
                    {"mode 3", curve({{0, 4}, {5, 8}}, 3), 2.0f, 0.0f},
                    {"mode 3 on a point", curve({{0, 4}, {5, 8}}, 3), 5.0f, 0.0f},
                    {"two points on one beat, repeat", curve({{0, 4}, {0, 8}}, Linear, true), 3.0f, 8.0f},
                    {"two points on one beat, smooth", curve({{2, 4}, {2, 8}}, Smooth, true), 3.0f, 8.0f},
                    {"unsorted points: the last one at or before wins", curve({{6, 1}, {2, 5}}, Linear), 7.0f, 5.0f},
                });
}

TEST(EventEvaluateTest, VariableCreatesEmptyLinearListsOnce) {
    Event event;
    EXPECT_EQ(event.findVariable("speed"), nullptr);
    ControlPointList& speed = event.variable("speed");
    EXPECT_EQ(speed.mode, Linear);
    EXPECT_FALSE(speed.repeat);
    EXPECT_TRUE(speed.points.empty());
    speed.points.push_back({0.0f, 1.0f, ""});
    EXPECT_EQ(&event.variable("speed"), &speed);
    EXPECT_EQ(event.findVariable("speed"), &speed);

    event.variable("b");
    event.variable("B");
    event.variable("ab");
    std::string order;
    for (const auto& [key, list] : event.variables)
        order += key + " ";
    EXPECT_EQ(order, "B ab b speed ") << "byte-wise order";
}

TEST(EventTextTest, TextIsTypedOutWithinItsSegment) {
    Event event = eventFrom(10.0f, 20.0f);
    ControlPointList& title = event.variable("title");
    title.points = {{0.0f, 0.0f, "Hello"}, {2.0f, 0.0f, "!"}};
    struct Case {
        float local;
        int charsPerBeat;
        const char* expected;
    };
    for (const Case& c : {Case{0.0f, 1, "H"}, Case{0.8f, 1, "Hel"}, Case{1.6f, 1, "Hello"}, Case{2.0f, 1, "!"},
                          Case{5.0f, 1, "!"}, Case{0.0f, -1, "Hello"}, Case{1.0f, -1, "Hello"}, Case{0.3f, 2, "He"},
                          Case{10.0f, 1, "!"}, Case{10.5f, 1, ""}, Case{-0.5f, 1, ""}})
        EXPECT_EQ(event.textAtBeat("title", 10.0f + c.local, c.charsPerBeat), c.expected)
            << "local " << c.local << ", " << c.charsPerBeat << " chars per beat";
}

TEST(EventTextTest, NoTextBeforeTheFirstPointOrWithoutPoints) {
    Event event = eventFrom(0.0f, 8.0f);
    event.variable("credits").points = {{2.0f, 0.0f, "Coda"}};
    EXPECT_EQ(event.textAtBeat("credits", 1.0f, -1), "");
    EXPECT_EQ(event.textAtBeat("credits", 2.0f, -1), "Coda");
    EXPECT_EQ(event.textAtBeat("missing", 2.0f, -1), "");
    EXPECT_EQ(event.findVariable("missing"), nullptr) << "reading a text stores nothing";
}

TEST(EventTextTest, HugeTypingSpeedsShowTheWholeText) {
    Event event = eventFrom(0.0f, 8.0f);
    event.variable("t").points = {{0.0f, 0.0f, "abc"}, {1.0f, 0.0f, "xyz"}};
    EXPECT_EQ(event.textAtBeat("t", 0.5f, 2147483647), "abc");
}

} // namespace
