#include "editor/SampleManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawSampleManager(EditorState&, EditorContext&) {}
