// The menu bar: the product's name, "File", "Edit" (undo and redo), "View",
// and the status message for its two seconds.
#pragma once

struct EditorState;
struct EditorContext;

// The product name and version shown in the menu bar and the main window's title.
extern const char* const editorTitle;

void drawMainMenu(EditorState& editor, EditorContext& context);
