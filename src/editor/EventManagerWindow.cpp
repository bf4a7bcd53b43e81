#include "editor/EventManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawEventManager(EditorState&, EditorContext&) {}
