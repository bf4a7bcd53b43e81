#include "editor/FontManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawFontManager(EditorState&, EditorContext&) {}
