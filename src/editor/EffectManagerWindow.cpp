#include "editor/EffectManagerWindow.h"

// The window opens, closes and places itself; its contents come later.
void drawEffectManager(EditorState&, EditorContext&) {}
