// Events for projects built in tests.
#pragma once

#include "project/Demo.h"

#include <memory>

// An event of `type` from `start` to `end`, referring to nothing yet.
inline std::unique_ptr<Event> makeEvent(const char* name, int32_t type, float start, float end) {
    auto event = std::make_unique<Event>();
    event->name = name;
    event->type = type;
    event->startBeat = start;
    event->endBeat = end;
    return event;
}

// The same, appended to the project's list.
inline Event& addEvent(Demo& demo, const char* name, int32_t type, float start, float end) {
    demo.events.push_back(makeEvent(name, type, start, end));
    return *demo.events.back();
}
