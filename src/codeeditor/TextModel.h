// The code editor's text without its drawing: lines coloured as they change,
// a cursor with a selection, the edits a programmer's editor makes, and undo
// steps that hold only what an edit inserted or removed, so a paste of a
// megabyte into a long text costs the size of the paste, not of the text.
//
// Outside, places are (line, visual column) with a tab counting tabColumns
// columns and a UTF-8 sequence one; inside they are byte indices.
#pragma once

#include "codeeditor/LanguageDefinition.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int tabColumns = 4;

struct TextPosition {
    int line = 0;
    int column = 0; // visual
    auto operator<=>(const TextPosition&) const = default;
};

class TextModel {
public:
    TextModel();

    // Colours the whole text again with `language`.
    void setLanguage(const LanguageDefinition& language);
    const LanguageDefinition& language() const { return language_; }

    // Replaces the text ("\r" dropped), forgets the undo steps, puts the cursor at the start.
    void setText(std::string_view text);
    std::string text() const;
    std::vector<std::string> lines() const;
    int lineCount() const { return static_cast<int>(lines_.size()); }
    const std::string& lineText(int line) const { return lines_[static_cast<size_t>(line)].text; }
    // One TokenColour per byte of the line.
    const std::vector<uint8_t>& lineColours(int line) const;
    // The line's width in visual columns.
    int lineColumns(int line) const;

    TextPosition cursor() const { return positionOf(cursor_); }
    // The selection's other end; the cursor's place when nothing is selected.
    TextPosition anchor() const { return positionOf(anchor_); }
    // Places the cursor (clamped into the text) and drops the selection.
    void setCursor(TextPosition position);
    // Selects from `anchor` to `cursor`, where the cursor goes.
    void setSelection(TextPosition anchor, TextPosition cursor);
    bool hasSelection() const { return cursor_ != anchor_; }
    TextPosition selectionStart() const { return positionOf(std::min(cursor_, anchor_)); }
    TextPosition selectionEnd() const { return positionOf(std::max(cursor_, anchor_)); }
    std::string selectedText() const;
    void selectAll();
    // The word (or run of blanks, or punctuation mark) at `position`.
    void selectWordAt(TextPosition position);

    // Cursor moves; with `select` the selection stretches from where it started.
    void moveLeft(bool select, bool byWord);
    void moveRight(bool select, bool byWord);
    void moveUp(int lineCount, bool select);
    void moveDown(int lineCount, bool select);
    // To the first non-blank character, or to the line's start when already there.
    void moveLineStart(bool select);
    void moveLineEnd(bool select);
    void moveTextStart(bool select);
    void moveTextEnd(bool select);

    // Edits; each replaces the selection where it has one. Typed characters,
    // Backspace and Delete join the step before while nothing else happened in
    // between (a run of typing undoes at once); every other edit is a step.
    void type(std::string_view characters);
    void paste(std::string_view text);
    // A line break, the new line indented as the one it breaks.
    void newLine();
    void backspace();
    void deleteForward();
    void deleteSelection();
    // Returns the selection and removes it.
    std::string cut();
    // Tab and Shift+Tab: over a selection of several lines, indents them by a
    // tab or takes one level of indentation (a tab or up to four spaces) from
    // each; otherwise Tab types a tab and Shift+Tab outdents the cursor's line.
    void indent();
    void outdent();

    bool canUndo() const { return !undo_.empty(); }
    // Undo steps made so far (it grows when an edit starts a new step).
    size_t undoStepCount() const { return undo_.size(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();

    // Set by every edit, undo and redo, and by setText; the owner clears it.
    bool textChanged = false;

    // Steps kept for undo; the oldest go first.
    static constexpr size_t maxUndoSteps = 1000;

private:
    // A line's colours follow from its text and whether it starts inside a
    // block comment; they are a cache, made when the line is first looked at.
    struct Line {
        std::string text;
        mutable std::vector<uint8_t> colours;
        mutable bool coloursStale = true;
        mutable bool startsInComment = false;
        mutable bool endsInComment = false;
    };
    struct Place {
        int line = 0;
        size_t index = 0; // byte
        auto operator<=>(const Place&) const = default;
    };
    struct Operation {
        bool insertion = true;
        Place start;
        std::string text;
    };
    struct Step {
        std::vector<Operation> operations;
        Place cursorBefore, anchorBefore, cursorAfter, anchorAfter;
    };

    Place placeOf(TextPosition position) const;
    TextPosition positionOf(Place place) const;
    Place clamped(Place place) const;
    void moveTo(Place place, bool select);
    Place wordStartBefore(Place place) const;
    Place wordEndAfter(Place place) const;
    Place previousPlace(Place place) const;
    Place nextPlace(Place place) const;

    Place insertAt(Place place, std::string_view text);
    std::string erase(Place from, Place to);
    static Place endOf(Place start, std::string_view text);
    // Works out where every line starts and ends: inside a block comment or not.
    void scanAll();
    // The same for the edited lines [first, last]; the line after becomes stale
    // when the edit changed whether it starts inside a block comment.
    void rescan(int first, int last);
    // Brings the stale lines up to `line` up to date.
    void scanUpTo(int line) const;
    // Lines were inserted (`delta` > 0) or removed after line `after`.
    void shiftStaleLines(int after, int delta);

    // Starts a step, or goes on with the typing run before when `typing`.
    void beginStep(bool typing);
    void endStep();
    void insertRecorded(std::string_view text);
    void eraseRecorded(Place from, Place to);
    void eraseSelectionRecorded();
    void indentLines(int first, int last);
    size_t outdentWidth(int line) const;
    // The lines a selection of several lines covers: its end line counts unless
    // the selection ends at that line's start.
    bool selectedLines(int& first, int& last) const;

    std::vector<Line> lines_;
    // In order, lines that may no longer start as the line before them ends: from
    // each, lines are scanned again until one does, when first looked at. So an
    // edit opening a block comment over 20 000 lines scans only up to what is seen.
    mutable std::vector<int> staleLines_;
    Place cursor_;
    Place anchor_;             // the selection's other end; equal to the cursor when none
    int preferredColumn_ = -1; // kept across up and down moves
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    bool typingRun_ = false; // the last step was typing and nothing has happened since
    LanguageDefinition language_;
};
