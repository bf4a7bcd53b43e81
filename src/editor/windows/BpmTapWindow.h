// The contents of the "BPM Tap" window; the caller opens the window and keeps
// the meter, made the first time the window is drawn.
#pragma once

class BpmTap;

// A "Tap" button and the tempo read so far.
void drawBpmTapBody(BpmTap& tap);
