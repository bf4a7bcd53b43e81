// The Windows player's entry point. SDL's WinMain calls it; the command line
// is not read.
#include "platform/Platform.h"
#include "player/DesktopPlayer.h"

#include <SDL.h>

int main(int, char**) { return runPlayer(runningExecutablePath()); }
