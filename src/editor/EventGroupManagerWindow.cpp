#include "editor/EventGroupManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawEventGroupManager(EditorState&, EditorContext&) {}
