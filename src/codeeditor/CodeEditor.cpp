#include "codeeditor/CodeEditor.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float textMargin = 10.0f; // between the line numbers and the text

bool pressed(ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key)); }

void appendUtf8(std::string& out, unsigned int code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The characters typed this frame, as UTF-8; control characters are the keys' business.
std::string typedCharacters() {
    std::string text;
    for (ImWchar c : ImGui::GetIO().InputQueueCharacters)
        if (c >= 32 && c != 127)
            appendUtf8(text, c);
    return text;
}

} // namespace

void CodeEditor::setText(std::string_view text, bool scrollToTop) {
    model_.setText(text);
    widestColumns_ = 0;
    for (int line = 0; line < model_.lineCount(); ++line)
        widestColumns_ = std::max(widestColumns_, model_.lineColumns(line));
    scrollToTop_ = scrollToTop;
}

void CodeEditor::copy() const {
    if (model_.hasSelection())
        ImGui::SetClipboardText(model_.selectedText().c_str());
}

void CodeEditor::cut() {
    if (!model_.hasSelection())
        return;
    ImGui::SetClipboardText(model_.cut().c_str());
    cursorMoved_ = true;
}

void CodeEditor::paste() {
    if (const char* text = ImGui::GetClipboardText(); text && *text) {
        model_.paste(text);
        cursorMoved_ = true;
    }
}

CodeEditor::Metrics CodeEditor::measure() const {
    Metrics metrics;
    metrics.charWidth = ImGui::GetFont()->CalcTextSizeA(ImGui::GetFontSize(), FLT_MAX, -1.0f, "#").x;
    metrics.lineHeight = ImGui::GetTextLineHeightWithSpacing();
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%d", model_.lineCount());
    metrics.gutterWidth = static_cast<float>(count + 1) * metrics.charWidth + textMargin;
    return metrics;
}

void CodeEditor::draw() {
    model_.textChanged = false;
    const Metrics metrics = measure();
    ImGui::PushStyleColor(ImGuiCol_ChildBg, palette_[static_cast<int>(PaletteSlot::background)]);
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, {0.0f, 0.0f});
    ImGui::BeginChild("TextEditor", {0.0f, 0.0f}, false,
                      ImGuiWindowFlags_HorizontalScrollbar | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoNavInputs);
    hasKeyboard_ = ImGui::IsWindowFocused();
    if (hasKeyboard_) {
        ImGui::CaptureKeyboardFromApp(true);
        handleKeys(metrics);
    }
    handleMouse(metrics);
    drawLines(metrics);
    if (scrollToTop_) {
        ImGui::SetScrollY(0.0f);
        scrollToTop_ = false;
    }
    if (cursorMoved_) {
        scrollToCursor(metrics);
        cursorMoved_ = false;
    }
    ImGui::EndChild();
    ImGui::PopStyleVar();
    ImGui::PopStyleColor();
}

void CodeEditor::handleKeys(const Metrics& metrics) {
    const ImGuiIO& io = ImGui::GetIO();
    const bool ctrl = io.KeyCtrl;
    const bool shift = io.KeyShift;
    const int pageLines = std::max(1, static_cast<int>(ImGui::GetWindowHeight() / metrics.lineHeight) - 1);
    const TextPosition cursorBefore = model_.cursor();

    if (ctrl && !io.KeyAlt) {
        if (pressed(ImGuiKey_Z))
            shift ? model_.redo() : model_.undo();
        else if (pressed(ImGuiKey_Y))
            model_.redo();
        else if (pressed(ImGuiKey_A))
            model_.selectAll();
        else if (pressed(ImGuiKey_C))
            copy();
        else if (pressed(ImGuiKey_X))
            cut();
        else if (pressed(ImGuiKey_V))
            paste();
    }
    if (pressed(ImGuiKey_LeftArrow))
        model_.moveLeft(shift, ctrl);
    else if (pressed(ImGuiKey_RightArrow))
        model_.moveRight(shift, ctrl);
    else if (pressed(ImGuiKey_UpArrow))
        model_.moveUp(1, shift);
    else if (pressed(ImGuiKey_DownArrow))
        model_.moveDown(1, shift);
    else if (pressed(ImGuiKey_PageUp))
        model_.moveUp(pageLines, shift);
    else if (pressed(ImGuiKey_PageDown))
        model_.moveDown(pageLines, shift);
    else if (pressed(ImGuiKey_Home))
        ctrl ? model_.moveTextStart(shift) : model_.moveLineStart(shift);
    else if (pressed(ImGuiKey_End))
        ctrl ? model_.moveTextEnd(shift) : model_.moveLineEnd(shift);
    else if (pressed(ImGuiKey_Delete) && !ctrl)
        model_.deleteForward();
    else if (pressed(ImGuiKey_Backspace) && !ctrl)
        model_.backspace();
    else if ((pressed(ImGuiKey_Enter) || pressed(ImGuiKey_KeyPadEnter)) && !ctrl)
        model_.newLine();
    else if (pressed(ImGuiKey_Tab) && !ctrl)
        shift ? model_.outdent() : model_.indent();
    else if (!ctrl && !io.KeyAlt)
        if (const std::string typed = typedCharacters(); !typed.empty())
            model_.type(typed);

    // draw() cleared the flag: set now, it was this frame's keys.
    cursorMoved_ = cursorMoved_ || model_.cursor() != cursorBefore || model_.textChanged;
}

TextPosition CodeEditor::positionAt(const Metrics& metrics, float x, float y) const {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    const int line = static_cast<int>(std::floor((y - origin.y) / metrics.lineHeight));
    const float column = (x - origin.x - metrics.gutterWidth) / metrics.charWidth;
    return {std::clamp(line, 0, model_.lineCount() - 1), std::max(0, static_cast<int>(std::lround(column)))};
}

void CodeEditor::handleMouse(const Metrics& metrics) {
    const ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsWindowHovered()) {
        ImGui::SetMouseCursor(ImGuiMouseCursor_TextInput);
        const TextPosition at = positionAt(metrics, io.MousePos.x, io.MousePos.y);
        if (ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
            model_.selectWordAt(at);
            dragging_ = false;
        } else if (ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
            if (io.KeyShift)
                model_.setSelection(model_.anchor(), at);
            else
                model_.setCursor(at);
            dragging_ = true;
        }
    }
    if (dragging_ && ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
        const TextPosition at = positionAt(metrics, io.MousePos.x, io.MousePos.y);
        if (at != model_.cursor())
            model_.setSelection(model_.anchor(), at);
    } else {
        dragging_ = false;
    }
}

void CodeEditor::drawLines(const Metrics& metrics) {
    const float scrollY = ImGui::GetScrollY();
    const float height = ImGui::GetWindowHeight();
    const int first = std::max(0, static_cast<int>(scrollY / metrics.lineHeight));
    const int last = std::min(model_.lineCount() - 1, static_cast<int>((scrollY + height) / metrics.lineHeight));
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    for (int line = first; line <= last; ++line) {
        widestColumns_ = std::max(widestColumns_, model_.lineColumns(line));
        drawLine(metrics, line, origin.y + static_cast<float>(line) * metrics.lineHeight);
    }
    // The content's extent gives the scroll ranges; nothing else is laid out.
    ImGui::Dummy({metrics.gutterWidth + static_cast<float>(widestColumns_ + 2) * metrics.charWidth,
                  static_cast<float>(model_.lineCount()) * metrics.lineHeight});
}

void CodeEditor::drawLine(const Metrics& metrics, int line, float y) {
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const float left = ImGui::GetCursorScreenPos().x;
    const float textLeft = left + metrics.gutterWidth;
    const float windowLeft = ImGui::GetWindowPos().x;
    const float windowRight = windowLeft + ImGui::GetWindowWidth();
    const auto colour = [&](PaletteSlot slot) { return palette_[static_cast<int>(slot)]; };
    const auto columnX = [&](int column) { return textLeft + static_cast<float>(column) * metrics.charWidth; };

    if (line == model_.cursor().line && !model_.hasSelection() && hasKeyboard_)
        drawList->AddRectFilled({windowLeft, y}, {windowRight, y + metrics.lineHeight},
                                colour(PaletteSlot::currentLine));
    if (const auto marker = markers_.find(line); marker != markers_.end()) {
        drawList->AddRectFilled({windowLeft, y}, {windowRight, y + metrics.lineHeight},
                                colour(PaletteSlot::errorMarker));
        if (ImGui::IsMouseHoveringRect({windowLeft, y}, {textLeft, y + metrics.lineHeight}))
            ImGui::SetTooltip("%s", marker->second.c_str());
    }
    if (model_.hasSelection()) {
        const TextPosition start = model_.selectionStart();
        const TextPosition end = model_.selectionEnd();
        if (line >= start.line && line <= end.line) {
            const int from = line == start.line ? start.column : 0;
            // A selected line break shows as one column more.
            const int to = line == end.line ? end.column : model_.lineColumns(line) + 1;
            drawList->AddRectFilled({columnX(from), y}, {columnX(to), y + metrics.lineHeight},
                                    colour(PaletteSlot::selection));
        }
    }

    char number[16];
    const int digits = std::snprintf(number, sizeof number, "%d", line + 1);
    const float numberX = textLeft - textMargin - static_cast<float>(digits) * metrics.charWidth;
    drawList->AddText({numberX, y}, colour(PaletteSlot::lineNumber), number);

    // Runs of one colour, cut at tabs, which are whitespace of tabColumns columns.
    const std::string& text = model_.lineText(line);
    const std::vector<uint8_t>& colours = model_.lineColours(line);
    int column = 0;
    size_t runStart = 0;
    int runColumn = 0;
    const auto flush = [&](size_t end) {
        if (end > runStart && text[runStart] != '\t')
            drawList->AddText({columnX(runColumn), y}, palette_[colours[runStart]], text.data() + runStart,
                              text.data() + end);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (i > runStart && (colours[i] != colours[runStart] || text[i] == '\t' || text[runStart] == '\t') &&
            !continuation) {
            flush(i);
            runStart = i;
            runColumn = column;
        }
        if (text[i] == '\t')
            column += tabColumns;
        else if (!continuation)
            ++column;
    }
    flush(text.size());

    if (line == model_.cursor().line && hasKeyboard_ && std::fmod(ImGui::GetTime(), 1.0) < 0.6) {
        const float x = columnX(model_.cursor().column);
        drawList->AddRectFilled({x, y}, {x + 2.0f, y + metrics.lineHeight}, colour(PaletteSlot::cursor));
    }
}

void CodeEditor::scrollToCursor(const Metrics& metrics) {
    const TextPosition cursor = model_.cursor();
    const float top = static_cast<float>(cursor.line) * metrics.lineHeight;
    const float height = ImGui::GetWindowHeight() - ImGui::GetStyle().ScrollbarSize;
    if (top < ImGui::GetScrollY())
        ImGui::SetScrollY(top);
    else if (top + metrics.lineHeight > ImGui::GetScrollY() + height)
        ImGui::SetScrollY(top + metrics.lineHeight - height);
    const float x = metrics.gutterWidth + static_cast<float>(cursor.column) * metrics.charWidth;
    const float width = ImGui::GetWindowWidth() - ImGui::GetStyle().ScrollbarSize;
    if (x < ImGui::GetScrollX() + metrics.gutterWidth)
        ImGui::SetScrollX(std::max(0.0f, x - metrics.gutterWidth));
    else if (x + metrics.charWidth > ImGui::GetScrollX() + width)
        ImGui::SetScrollX(x + metrics.charWidth - width);
}
