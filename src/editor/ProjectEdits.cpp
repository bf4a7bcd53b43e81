#include "editor/ProjectEdits.h"

namespace {

// Demo or const Demo: the field in the same constness.
template <typename Project>
auto& fieldOf(Project& demo, TransportField field) {
    switch (field) {
    case TransportField::EndBeat:
        return demo.end_beat;
    case TransportField::Bpm:
        return demo.bpm;
    case TransportField::BeatOffset:
        break;
    }
    return demo.beat_offset;
}

const char* nameOf(TransportField field) {
    switch (field) {
    case TransportField::EndBeat:
        return "end beat";
    case TransportField::Bpm:
        return "BPM";
    case TransportField::BeatOffset:
        break;
    }
    return "beat offset";
}

} // namespace

float transportValue(const Demo& demo, TransportField field) { return fieldOf(demo, field); }

void setTransportValue(EditHistory& history, Demo& demo, TransportField field, float value,
                       const std::string& mergeKey) {
    float& target = fieldOf(demo, field);
    const float before = target;
    history.perform({std::string("Change ") + nameOf(field), [&target, value] { target = value; },
                     [&target, before] { target = before; }, 0, mergeKey});
}

void moveEvent(EditHistory& history, Event& event, float start, float end, const std::string& mergeKey) {
    const float startBefore = event.startBeat;
    const float endBefore = event.endBeat;
    history.perform({"Move \"" + event.name + "\"",
                     [&event, start, end] {
                         event.startBeat = start;
                         event.endBeat = end;
                     },
                     [&event, startBefore, endBefore] {
                         event.startBeat = startBefore;
                         event.endBeat = endBefore;
                     },
                     event.name.size(), mergeKey});
}
