// The code editor widget: a TextModel drawn in a child region "TextEditor" that
// fills the space left, with line numbers, marks on lines (a message shown when
// the pointer rests on the line's number), a blinking cursor, and the keys and
// mouse of a programmer's editor. Only the lines in sight are drawn, so a frame
// costs the same at ten lines and at a hundred thousand.
#pragma once

#include "codeeditor/Palette.h"
#include "codeeditor/TextModel.h"

#include <map>
#include <string>
#include <string_view>

class CodeEditor {
public:
    TextModel& model() { return model_; }
    const TextModel& model() const { return model_; }

    void setLanguage(const LanguageDefinition& language) { model_.setLanguage(language); }
    void setPalette(const Palette& palette) { palette_ = palette; }
    const Palette& palette() const { return palette_; }
    // Marks on lines (counted from 0), each with its message.
    void setMarkers(std::map<int, std::string> markers) { markers_ = std::move(markers); }
    const std::map<int, std::string>& markers() const { return markers_; }

    // Replaces the text; with `scrollToTop` the view goes to the first line.
    void setText(std::string_view text, bool scrollToTop);
    std::string text() const { return model_.text(); }
    // Set by every edit and by setText; cleared when the next frame's draw starts.
    bool textChanged() const { return model_.textChanged; }

    // Places the cursor, and the view on it at the next draw.
    void setCursor(TextPosition position) {
        model_.setCursor(position);
        cursorMoved_ = true;
    }

    // The selection to and from the system clipboard.
    void copy() const;
    void cut();
    void paste();

    // Draws the child region "TextEditor" and takes the keys and the mouse meant for it.
    void draw();
    // Whether the widget had the keyboard in its last frame: the program's own
    // Ctrl shortcuts wait while it has.
    bool hasKeyboard() const { return hasKeyboard_; }

private:
    struct Metrics {
        float charWidth = 0.0f;
        float lineHeight = 0.0f;
        float gutterWidth = 0.0f; // line numbers and marks
    };

    Metrics measure() const;
    void handleKeys(const Metrics& metrics);
    void handleMouse(const Metrics& metrics);
    TextPosition positionAt(const Metrics& metrics, float x, float y) const;
    void drawLines(const Metrics& metrics);
    void drawLine(const Metrics& metrics, int line, float y);
    void scrollToCursor(const Metrics& metrics);

    TextModel model_;
    Palette palette_ = darkPalette();
    std::map<int, std::string> markers_;
    bool hasKeyboard_ = false;
    bool dragging_ = false;
    bool scrollToTop_ = false;
    bool cursorMoved_ = false; // the view follows the cursor at the next draw
    int widestColumns_ = 0;    // the widest line seen, for the horizontal scroll range
};
