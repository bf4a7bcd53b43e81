// The process shell: start-up, the frame loop and shutdown.
//
// Start-up brings up SDL, the audio device, the borderless 16:9 window with its
// OpenGL context and the GUI layer, and opens the project. Each frame then runs
// three steps: update (the clock, input and keys), the GUI frame (the editor
// when it is shown), and composition (the demo picture, presented).
#pragma once

#include "app/AppState.h"
#include "app/ShellInput.h"
#include "render/FrameContext.h"

// Exit statuses of the process.
constexpr int exitOk = 0;
constexpr int exitSdlFailed = 1;           // SDL or the desktop display mode unavailable
constexpr int exitAudioDeviceFailed = 255; // the -1 of the original program, as Linux reports it

// Runs the whole program; `argv` holds exactly one element, the executable's path.
int runProgram(int argc, char** argv);

// Start-up up to the main loop. On failure returns false and sets `exitStatus`.
bool startUp(AppState& app, const char* executablePath, int& exitStatus);
// One frame of the main loop: the three steps below, then the picture is shown.
void runFrame(AppState& app);
// Frames until the shell is asked to quit.
void runMainLoop(AppState& app);
void shutDown(AppState& app);

// Update step: advances the transport, then handles the input that arrived.
FrameKeys updateFrame(AppState& app);
// GUI step: builds the editor's frame when it is shown. Returns true when the
// editor has drawn the demo picture itself (in its viewport).
bool buildGuiFrame(AppState& app, const FrameKeys& keys);
// Composition step: the demo picture full-window unless the editor drew it,
// then the GUI over it.
void composeFrame(AppState& app, bool editorDrewDemo);

// Advances the clock, ends the demo past its end beat (unless the editor is
// visible or was ever shown) and loops the loop event.
void advanceTransport(AppState& app);
// The values the render passes need this frame.
FrameContext frameContext(AppState& app);
