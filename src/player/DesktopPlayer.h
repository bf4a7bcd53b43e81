// The Windows player: a program of its own, without the editor, that plays
// the binary project appended to its executable: the loader screen, then the
// demo full screen from its start until its end beat, or until Escape.
#pragma once

#include <string>

constexpr int playerExitOk = 0;
constexpr int playerExitSdlFailed = 1;       // SDL, the display or OpenGL unavailable
constexpr int playerExitNothingAppended = 2; // a bare player: no project to play
constexpr int playerExitAudioDeviceFailed = 255;

// Plays the project appended to the executable at `executablePath` (UTF-8) and
// returns the exit status. A damaged project ends the process through fatal().
int runPlayer(const std::string& executablePath);
