#include "project/Tempo.h"

#include "project/Demo.h"

Tempo Tempo::of(const Demo& demo) { return {demo.bpm, demo.beat_offset}; }
