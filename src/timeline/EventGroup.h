// A named sequence of events replayed together by group events. The group does
// not own its members: they are events of the project's list.
#pragma once

#include <string>
#include <vector>

class Event;

class EventGroup {
public:
    std::string name;
    std::vector<Event*> events; // members; the earliest start beat is the group's time origin
};
