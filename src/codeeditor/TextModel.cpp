#include "codeeditor/TextModel.h"

#include "codeeditor/SyntaxColouring.h"

#include <algorithm>

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// What kind of run a byte belongs to, for word moves and double-clicks.
int runKind(char c) { return isWordByte(c) ? 0 : isBlank(c) ? 1 : 2; }

int columnsUpTo(const std::string& text, size_t index) {
    int column = 0;
    for (size_t i = 0; i < index && i < text.size(); ++i)
        if (text[i] == '\t')
            column += tabColumns;
        else if (!isContinuationByte(text[i]))
            ++column;
    return column;
}

// The byte index at visual `column`; a column inside a tab gives the tab's start.
size_t indexAtColumn(const std::string& text, int column) {
    int at = 0;
    size_t i = 0;
    while (i < text.size()) {
        const int width = text[i] == '\t' ? tabColumns : 1;
        if (at + width > column)
            break;
        at += width;
        ++i;
        while (i < text.size() && isContinuationByte(text[i]))
            ++i;
    }
    return i;
}

std::string withoutCarriageReturns(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text)
        if (c != '\r')
            plain += c;
    return plain;
}

} // namespace

TextModel::TextModel() : lines_(1), language_(LanguageDefinition::glsl()) {}

void TextModel::setLanguage(const LanguageDefinition& language) {
    language_ = language;
    scanAll();
}

void TextModel::setText(std::string_view text) {
    const std::string plain = withoutCarriageReturns(text);
    lines_.clear();
    size_t start = 0;
    for (;;) {
        const size_t end = plain.find('\n', start);
        lines_.push_back({plain.substr(start, end == std::string::npos ? std::string::npos : end - start), {}});
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    scanAll();
    cursor_ = anchor_ = {};
    preferredColumn_ = -1;
    undo_.clear();
    redo_.clear();
    typingRun_ = false;
    textChanged = true;
}

std::string TextModel::text() const {
    size_t size = lines_.size();
    for (const Line& line : lines_)
        size += line.text.size();
    std::string text;
    text.reserve(size);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines_[i].text;
    }
    return text;
}

std::vector<std::string> TextModel::lines() const {
    std::vector<std::string> texts;
    texts.reserve(lines_.size());
    for (const Line& line : lines_)
        texts.push_back(line.text);
    return texts;
}

int TextModel::lineColumns(int line) const {
    const std::string& text = lineText(line);
    return columnsUpTo(text, text.size());
}

// Places and positions.

TextModel::Place TextModel::placeOf(TextPosition position) const {
    const int line = std::clamp(position.line, 0, lineCount() - 1);
    return {line, indexAtColumn(lineText(line), std::max(position.column, 0))};
}

TextPosition TextModel::positionOf(Place place) const {
    return {place.line, columnsUpTo(lineText(place.line), place.index)};
}

TextModel::Place TextModel::clamped(Place place) const {
    const int line = std::clamp(place.line, 0, lineCount() - 1);
    return {line, std::min(place.index, lineText(line).size())};
}

void TextModel::setCursor(TextPosition position) {
    cursor_ = anchor_ = placeOf(position);
    preferredColumn_ = -1;
    typingRun_ = false;
}

void TextModel::setSelection(TextPosition anchor, TextPosition cursor) {
    anchor_ = placeOf(anchor);
    cursor_ = placeOf(cursor);
    preferredColumn_ = -1;
    typingRun_ = false;
}

std::string TextModel::selectedText() const {
    const Place from = std::min(cursor_, anchor_);
    const Place to = std::max(cursor_, anchor_);
    if (from.line == to.line)
        return lineText(from.line).substr(from.index, to.index - from.index);
    std::string text = lineText(from.line).substr(from.index);
    for (int line = from.line + 1; line < to.line; ++line)
        (text += '\n') += lineText(line);
    (text += '\n') += lineText(to.line).substr(0, to.index);
    return text;
}

void TextModel::selectAll() {
    anchor_ = {};
    cursor_ = {lineCount() - 1, lines_.back().text.size()};
    typingRun_ = false;
}

void TextModel::selectWordAt(TextPosition position) {
    const Place place = placeOf(position);
    const std::string& text = lineText(place.line);
    if (text.empty()) {
        cursor_ = anchor_ = place;
        return;
    }
    const size_t at = std::min(place.index, text.size() - 1);
    const int kind = runKind(text[at]);
    size_t start = at;
    while (start > 0 && runKind(text[start - 1]) == kind && kind != 2)
        --start;
    size_t end = at + 1;
    while (end < text.size() && runKind(text[end]) == kind && (kind != 2 || isContinuationByte(text[end])))
        ++end;
    anchor_ = {place.line, start};
    cursor_ = {place.line, end};
    typingRun_ = false;
}

// Moves.

void TextModel::moveTo(Place place, bool select) {
    cursor_ = place;
    if (!select)
        anchor_ = cursor_;
    typingRun_ = false;
}

TextModel::Place TextModel::previousPlace(Place place) const {
    if (place.index == 0)
        return place.line > 0 ? Place{place.line - 1, lineText(place.line - 1).size()} : place;
    const std::string& text = lineText(place.line);
    size_t index = place.index - 1;
    while (index > 0 && isContinuationByte(text[index]))
        --index;
    return {place.line, index};
}

TextModel::Place TextModel::nextPlace(Place place) const {
    const std::string& text = lineText(place.line);
    if (place.index >= text.size())
        return place.line + 1 < lineCount() ? Place{place.line + 1, 0} : place;
    size_t index = place.index + 1;
    while (index < text.size() && isContinuationByte(text[index]))
        ++index;
    return {place.line, index};
}

TextModel::Place TextModel::wordStartBefore(Place place) const {
    if (place.index == 0)
        return previousPlace(place);
    const std::string& text = lineText(place.line);
    size_t index = place.index;
    while (index > 0 && isBlank(text[index - 1]))
        --index;
    if (index > 0) {
        const int kind = runKind(text[index - 1]);
        while (index > 0 && runKind(text[index - 1]) == kind)
            --index;
    }
    return {place.line, index};
}

TextModel::Place TextModel::wordEndAfter(Place place) const {
    const std::string& text = lineText(place.line);
    if (place.index >= text.size())
        return nextPlace(place);
    size_t index = place.index;
    const int kind = runKind(text[index]);
    while (index < text.size() && runKind(text[index]) == kind)
        ++index;
    while (index < text.size() && isBlank(text[index]))
        ++index;
    return {place.line, index};
}

void TextModel::moveLeft(bool select, bool byWord) {
    preferredColumn_ = -1;
    if (hasSelection() && !select && !byWord)
        return moveTo(std::min(cursor_, anchor_), false);
    moveTo(byWord ? wordStartBefore(cursor_) : previousPlace(cursor_), select);
}

void TextModel::moveRight(bool select, bool byWord) {
    preferredColumn_ = -1;
    if (hasSelection() && !select && !byWord)
        return moveTo(std::max(cursor_, anchor_), false);
    moveTo(byWord ? wordEndAfter(cursor_) : nextPlace(cursor_), select);
}

void TextModel::moveUp(int count, bool select) {
    if (preferredColumn_ < 0)
        preferredColumn_ = cursor().column;
    const int column = preferredColumn_;
    moveTo(cursor_.line == 0 ? Place{0, 0} : placeOf({std::max(cursor_.line - count, 0), column}), select);
    preferredColumn_ = column;
}

void TextModel::moveDown(int count, bool select) {
    if (preferredColumn_ < 0)
        preferredColumn_ = cursor().column;
    const int column = preferredColumn_;
    const int last = lineCount() - 1;
    moveTo(cursor_.line == last ? Place{last, lineText(last).size()}
                                : placeOf({std::min(cursor_.line + count, last), column}),
           select);
    preferredColumn_ = column;
}

void TextModel::moveLineStart(bool select) {
    preferredColumn_ = -1;
    const std::string& text = lineText(cursor_.line);
    size_t firstCharacter = 0;
    while (firstCharacter < text.size() && isBlank(text[firstCharacter]))
        ++firstCharacter;
    moveTo({cursor_.line, cursor_.index == firstCharacter ? 0 : firstCharacter}, select);
}

void TextModel::moveLineEnd(bool select) {
    preferredColumn_ = -1;
    moveTo({cursor_.line, lineText(cursor_.line).size()}, select);
}

void TextModel::moveTextStart(bool select) {
    preferredColumn_ = -1;
    moveTo({}, select);
}

void TextModel::moveTextEnd(bool select) {
    preferredColumn_ = -1;
    moveTo({lineCount() - 1, lines_.back().text.size()}, select);
}

// The lines and their colours.

TextModel::Place TextModel::endOf(Place start, std::string_view text) {
    const size_t breaks = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    if (breaks == 0)
        return {start.line, start.index + text.size()};
    return {start.line + static_cast<int>(breaks), text.size() - text.rfind('\n') - 1};
}

TextModel::Place TextModel::insertAt(Place place, std::string_view text) {
    Line& first = lines_[static_cast<size_t>(place.line)];
    const size_t firstBreak = text.find('\n');
    if (firstBreak == std::string_view::npos) {
        first.text.insert(place.index, text);
        rescan(place.line, place.line);
        return {place.line, place.index + text.size()};
    }
    const std::string tail = first.text.substr(place.index);
    first.text.erase(place.index);
    first.text.append(text.substr(0, firstBreak));
    std::vector<Line> added;
    size_t start = firstBreak + 1;
    for (;;) {
        const size_t end = text.find('\n', start);
        added.push_back(
            {std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)),
             {}});
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    const Place end{place.line + static_cast<int>(added.size()), added.back().text.size()};
    added.back().text += tail;
    lines_.insert(lines_.begin() + place.line + 1, std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
    shiftStaleLines(place.line, static_cast<int>(added.size()));
    rescan(place.line, end.line);
    return end;
}

std::string TextModel::erase(Place from, Place to) {
    Line& first = lines_[static_cast<size_t>(from.line)];
    if (from.line == to.line) {
        std::string removed = first.text.substr(from.index, to.index - from.index);
        first.text.erase(from.index, to.index - from.index);
        rescan(from.line, from.line);
        return removed;
    }
    std::string removed = first.text.substr(from.index);
    for (int line = from.line + 1; line < to.line; ++line)
        (removed += '\n') += lineText(line);
    const std::string& last = lineText(to.line);
    (removed += '\n') += last.substr(0, to.index);
    first.text.erase(from.index);
    first.text += last.substr(to.index);
    lines_.erase(lines_.begin() + from.line + 1, lines_.begin() + to.line + 1);
    shiftStaleLines(from.line, from.line - to.line);
    rescan(from.line, from.line);
    return removed;
}

const std::vector<uint8_t>& TextModel::lineColours(int index) const {
    scanUpTo(index);
    const Line& line = lines_[static_cast<size_t>(index)];
    if (line.coloursStale) {
        colourLine(line.text, line.startsInComment, language_, line.colours);
        line.coloursStale = false;
    }
    return line.colours;
}

void TextModel::scanAll() {
    bool inComment = false;
    for (const Line& line : lines_) {
        line.startsInComment = inComment;
        inComment = line.endsInComment = endsInBlockComment(line.text, inComment, language_);
        line.coloursStale = true;
    }
    staleLines_.clear();
}

void TextModel::rescan(int first, int last) {
    scanUpTo(first - 1);
    bool inComment = first > 0 && lines_[static_cast<size_t>(first - 1)].endsInComment;
    for (int i = first; i <= last; ++i) {
        const Line& line = lines_[static_cast<size_t>(i)];
        line.startsInComment = inComment;
        inComment = line.endsInComment = endsInBlockComment(line.text, inComment, language_);
        line.coloursStale = true;
    }
    std::erase_if(staleLines_, [&](int stale) { return stale >= first && stale <= last + 1; });
    const int next = last + 1;
    if (next < lineCount() && lines_[static_cast<size_t>(next)].startsInComment != inComment)
        staleLines_.insert(std::lower_bound(staleLines_.begin(), staleLines_.end(), next), next);
}

void TextModel::scanUpTo(int line) const {
    while (!staleLines_.empty() && staleLines_.front() <= line) {
        int at = staleLines_.front();
        bool inComment = at > 0 && lines_[static_cast<size_t>(at - 1)].endsInComment;
        // Up to the first line that starts as the one before ends, or past `line`.
        while (at < lineCount() && at <= line && lines_[static_cast<size_t>(at)].startsInComment != inComment) {
            const Line& current = lines_[static_cast<size_t>(at)];
            current.startsInComment = inComment;
            inComment = current.endsInComment = endsInBlockComment(current.text, inComment, language_);
            current.coloursStale = true;
            ++at;
        }
        const bool done = at >= lineCount() || lines_[static_cast<size_t>(at)].startsInComment == inComment;
        std::erase_if(staleLines_, [&](int stale) { return stale < at || (done && stale == at); });
        if (!done && (staleLines_.empty() || staleLines_.front() != at))
            staleLines_.insert(staleLines_.begin(), at);
    }
}

void TextModel::shiftStaleLines(int after, int delta) {
    for (int& stale : staleLines_)
        if (stale > after)
            stale = delta < 0 && stale <= after - delta ? after + 1 : stale + delta;
    staleLines_.erase(std::unique(staleLines_.begin(), staleLines_.end()), staleLines_.end());
}

// Steps.

void TextModel::beginStep(bool typing) {
    redo_.clear();
    textChanged = true;
    if (typing && typingRun_ && !undo_.empty())
        return;
    if (undo_.size() == maxUndoSteps)
        undo_.erase(undo_.begin());
    undo_.push_back({{}, cursor_, anchor_, cursor_, anchor_});
}

void TextModel::endStep() {
    undo_.back().cursorAfter = cursor_;
    undo_.back().anchorAfter = anchor_;
    preferredColumn_ = -1;
}

void TextModel::insertRecorded(std::string_view text) {
    std::vector<Operation>& operations = undo_.back().operations;
    const Place start = cursor_;
    cursor_ = anchor_ = insertAt(start, text);
    if (!operations.empty() && operations.back().insertion &&
        endOf(operations.back().start, operations.back().text) == start)
        operations.back().text.append(text);
    else
        operations.push_back({true, start, std::string(text)});
}

void TextModel::eraseRecorded(Place from, Place to) {
    std::vector<Operation>& operations = undo_.back().operations;
    std::string removed = erase(from, to);
    cursor_ = anchor_ = from;
    if (!operations.empty() && !operations.back().insertion && operations.back().start == to)
        operations.back() = {false, from, removed + operations.back().text};
    else if (!operations.empty() && !operations.back().insertion && operations.back().start == from)
        operations.back().text += removed;
    else
        operations.push_back({false, from, std::move(removed)});
}

void TextModel::eraseSelectionRecorded() {
    if (hasSelection())
        eraseRecorded(std::min(cursor_, anchor_), std::max(cursor_, anchor_));
}

void TextModel::type(std::string_view characters) {
    beginStep(!hasSelection());
    eraseSelectionRecorded();
    insertRecorded(characters);
    endStep();
    typingRun_ = true;
}

void TextModel::paste(std::string_view text) {
    beginStep(false);
    eraseSelectionRecorded();
    insertRecorded(withoutCarriageReturns(text));
    endStep();
    typingRun_ = false;
}

void TextModel::newLine() {
    beginStep(false);
    eraseSelectionRecorded();
    const std::string& text = lineText(cursor_.line);
    size_t indentation = 0;
    while (indentation < cursor_.index && isBlank(text[indentation]))
        ++indentation;
    insertRecorded("\n" + text.substr(0, indentation));
    endStep();
    typingRun_ = false;
}

void TextModel::backspace() {
    if (!hasSelection() && cursor_ == Place{})
        return;
    beginStep(!hasSelection());
    if (hasSelection())
        eraseSelectionRecorded();
    else
        eraseRecorded(previousPlace(cursor_), cursor_);
    endStep();
    typingRun_ = true;
}

void TextModel::deleteForward() {
    if (!hasSelection() && nextPlace(cursor_) == cursor_)
        return;
    beginStep(!hasSelection());
    if (hasSelection())
        eraseSelectionRecorded();
    else
        eraseRecorded(cursor_, nextPlace(cursor_));
    endStep();
    typingRun_ = true;
}

void TextModel::deleteSelection() {
    if (!hasSelection())
        return;
    beginStep(false);
    eraseSelectionRecorded();
    endStep();
    typingRun_ = false;
}

std::string TextModel::cut() {
    std::string text = selectedText();
    deleteSelection();
    return text;
}

bool TextModel::selectedLines(int& first, int& last) const {
    const Place from = std::min(cursor_, anchor_);
    const Place to = std::max(cursor_, anchor_);
    if (from.line == to.line)
        return false;
    first = from.line;
    last = to.index == 0 ? to.line - 1 : to.line;
    return true;
}

void TextModel::indentLines(int first, int last) {
    for (int line = first; line <= last; ++line) {
        cursor_ = {line, 0};
        insertRecorded("\t");
    }
}

// How much of the line's indentation one outdent takes: a tab, or up to a tab's width of spaces.
size_t TextModel::outdentWidth(int line) const {
    const std::string& text = lineText(line);
    if (text.starts_with('\t'))
        return 1;
    size_t width = 0;
    while (width < static_cast<size_t>(tabColumns) && width < text.size() && text[width] == ' ')
        ++width;
    return width;
}

void TextModel::indent() {
    int first = 0;
    int last = 0;
    if (!selectedLines(first, last))
        return type("\t");
    const bool anchorFirst = anchor_ < cursor_;
    beginStep(false);
    indentLines(first, last);
    const Place start{first, 0};
    const Place end{last, lineText(last).size()};
    anchor_ = anchorFirst ? start : end;
    cursor_ = anchorFirst ? end : start;
    endStep();
    typingRun_ = false;
}

void TextModel::outdent() {
    int first = cursor_.line;
    int last = cursor_.line;
    const bool lines = selectedLines(first, last);
    bool indented = false;
    for (int line = first; line <= last; ++line)
        indented = indented || outdentWidth(line) > 0;
    if (!indented)
        return;
    const bool anchorFirst = anchor_ < cursor_;
    const TextPosition before = cursor();
    beginStep(false);
    for (int line = first; line <= last; ++line)
        if (const size_t width = outdentWidth(line))
            eraseRecorded({line, 0}, {line, width});
    if (lines) {
        const Place start{first, 0};
        const Place end{last, lineText(last).size()};
        anchor_ = anchorFirst ? start : end;
        cursor_ = anchorFirst ? end : start;
    } else {
        cursor_ = anchor_ = placeOf({before.line, std::max(before.column - tabColumns, 0)});
    }
    endStep();
    typingRun_ = false;
}

void TextModel::undo() {
    if (undo_.empty())
        return;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    for (auto operation = step.operations.rbegin(); operation != step.operations.rend(); ++operation)
        if (operation->insertion)
            erase(operation->start, endOf(operation->start, operation->text));
        else
            insertAt(operation->start, operation->text);
    cursor_ = clamped(step.cursorBefore);
    anchor_ = clamped(step.anchorBefore);
    redo_.push_back(std::move(step));
    preferredColumn_ = -1;
    typingRun_ = false;
    textChanged = true;
}

void TextModel::redo() {
    if (redo_.empty())
        return;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    for (const Operation& operation : step.operations)
        if (operation.insertion)
            insertAt(operation.start, operation.text);
        else
            erase(operation.start, endOf(operation.start, operation.text));
    cursor_ = clamped(step.cursorAfter);
    anchor_ = clamped(step.anchorAfter);
    undo_.push_back(std::move(step));
    preferredColumn_ = -1;
    typingRun_ = false;
    textChanged = true;
}
