#include "app/ShellState.h"

std::atomic<bool> quitRequested{false};
bool editorVisible = false;
bool editorEverShown = false;
bool playerMode = false;
std::string exePath;
char projectFileName[projectFileNameSize] = "untitled.demo";
