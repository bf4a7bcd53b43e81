// The process shell: start-up, the frame loop and shutdown.
//
// Start-up brings up SDL, the audio device, the borderless 16:9 window with its
// OpenGL context and the GUI layer, and opens the project. Each frame then
// advances the beat clock, handles input, draws the editor when it is shown,
// composes the demo picture and presents it.
#pragma once

// Exit statuses of the process.
constexpr int exitOk = 0;
constexpr int exitSdlFailed = 1;           // SDL or the desktop display mode unavailable
constexpr int exitAudioDeviceFailed = 255; // the -1 of the original program, as Linux reports it

// Runs the whole program; `argv` holds exactly one element, the executable's path.
int runProgram(int argc, char** argv);

// Start-up up to the main loop. On failure returns false and sets `exitStatus`.
bool startUp(const char* executablePath, int& exitStatus);
// One frame of the main loop.
void runFrame();
// Frames until `quitRequested` is set.
void runMainLoop();
void shutDown();

// Frame step: advances the clock, ends the demo past its end beat (unless the
// editor is visible or was ever shown) and loops the loop event.
void advanceTransport();
