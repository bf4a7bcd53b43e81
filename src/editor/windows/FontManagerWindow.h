// The "Font Manager" window: the project's fonts, imported from "resources" at
// a point size, renamed and deleted; and its font textures, made from a font,
// sized, aligned, animated, previewed with a text of one's own and deleted.
#pragma once

#include "editor/windows/WindowState.h"

class Font;
class FontTexture;
struct EditorState;
struct EditorContext;

struct FontManagerState : WindowState {
    Selection<Font> fonts;
    Selection<FontTexture> fontTextures;
    int newFontSize = 12;              // the point size of the next import
    char newFontTextureName[256] = ""; // the "New Font Texture" dialog's fields, kept between uses
    int newFontTextureWidth = 320;
    int newFontTextureHeight = 240;
    char previewText[4096] = ""; // rendered into the selected font texture when edited

    void forgetProject() override;
    void forgetObject(const ObjectRef& object) override;
};

void drawFontManager(EditorState& editor, EditorContext& context);
