// The editor's changes to the project, as plain operations through the edit
// history: windows call these, never write into the model themselves, and
// tests call them the same way.
#pragma once

#include "editor/EditHistory.h"
#include "project/Demo.h"

// The project's transport values saved with it.
enum class TransportField { EndBeat, Bpm, BeatOffset };

// Sets one transport value; `mergeKey` joins the edits of one gesture.
void setTransportValue(EditHistory& history, Demo& demo, TransportField field, float value,
                       const std::string& mergeKey = {});
float transportValue(const Demo& demo, TransportField field);

// Moves `event` to start at `start` and end at `end` (a timeline drag).
void moveEvent(EditHistory& history, Event& event, float start, float end, const std::string& mergeKey = {});
