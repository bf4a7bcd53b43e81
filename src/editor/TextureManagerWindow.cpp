#include "editor/TextureManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawTextureManager(EditorState&, EditorContext&) {}
