// Drives the real editor as a user does: the program's own window and GUI
// under Xvfb, its frame steps, keys and text as SDL events through the main
// loop's event path, and the real pointer moved and pressed on the test's X
// display (Dear ImGui 1.86's SDL back end reads the mouse from the system, not
// from pushed events): moved with X's own warp, pressed with xdotool.
//
// Items are named by paths (ItemPath below). A step that cannot find its
// widget fails the test (ADD_FAILURE) naming the whole path, and does nothing.
//
// How it sees without Dear ImGui's test hooks (Debian's build has none): an
// item is found by making it the keyboard-navigation target for a frame, which
// gives its rectangle; what it shows is read back from the vertices the frame
// drew there (glyphs, colours). Dear ImGui skips the items of a child region
// scrolled wholly out of its parent's sight, so any step on such an item first
// scrolls the parent to show the region.
//
// See GUI_TESTS.md beside this file.
#pragma once

#include "app/AppState.h"
#include "editor/windows/WindowLayout.h"

#include <SDL.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// One step of an item path: a name exactly as the code passes it to Dear ImGui
// (a window title, a BeginChild or BeginTable id, a PushID or TreeNode string,
// a menu's or an item's label, "##id" included), or an integer, which is a
// PushID(int) scope. So a label holding "/" or made of digits means only itself.
class PathSegment {
public:
    PathSegment(const char* name) : name_(name) {}
    PathSegment(std::string name) : name_(std::move(name)) {}
    PathSegment(int index) : index_(index), isIndex_(true) {}

    bool isIndex() const { return isIndex_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }

private:
    std::string name_;
    int index_ = 0;
    bool isIndex_ = false;
};

// An item named from its window down: the window's title, then the scopes it
// is drawn in (child regions, tables, PushID and tree-node scopes, open popups
// and menus: each by the name or integer the code gives it), then its label:
//     ItemPath{"Event Manager", "EventsLeft", "EventSelectables", 2, "##Start"}
// A modal popup is a window of its own, named by its title: {"Add as Event", "OK"}.
// A context menu opened on an item is under that item: {"Window", "item", "Copy"}.
// Where a region will do (pointer steps, shownText, scrollY), a path may end at
// a window or a child region (a scrolling table's too) instead of an item.
class ItemPath {
public:
    ItemPath(std::initializer_list<PathSegment> segments) : segments_(segments) {}
    ItemPath(const char* window) : segments_{window} {}
    ItemPath(const std::string& window) : segments_{window} {}

    // The path one step further down, as `row / "Delete"`.
    friend ItemPath operator/(ItemPath path, PathSegment next) {
        path.segments_.push_back(std::move(next));
        return path;
    }

    const std::vector<PathSegment>& segments() const { return segments_; }
    // As the path is written in code, for failure messages.
    std::string describe() const;

private:
    std::vector<PathSegment> segments_;
};

// What typeInto does once the text is in.
enum class AfterTyping {
    // The key that ends editing: Enter, or Ctrl+Enter in a multi-line field
    // (Enter there starts a new line unless the field takes Ctrl+Enter for that).
    confirm,
    // Nothing: the field stays active, as with a user still typing.
    keepEditing,
};

class GuiDriver {
public:
    // `app` has been started (startUp) and shows the editor or will.
    explicit GuiDriver(AppState& app);

    // Runs `count` frames of the main loop.
    void frames(int count = 3);

    // Text typed where the keyboard focus is, as SDL text events (keys such as
    // Enter and Tab are key presses: see key()).
    void typeText(const std::string& text);
    // A key pressed and released with the modifiers held, as the keyboard sends it.
    void key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE);
    void ctrlKey(SDL_Keycode k) { key(k, KMOD_LCTRL); }
    void ctrlShiftKey(SDL_Keycode k) { key(k, KMOD_LCTRL | KMOD_LSHIFT); }
    // Holds Ctrl and Shift as `modifiers` say until releaseModifiers(), for a
    // Shift+click and the like.
    void holdModifiers(Uint16 modifiers);
    void releaseModifiers();
    // Keeps `key` down over `count` frames.
    void holdKey(SDL_Keycode key, int count, Uint16 modifiers = KMOD_NONE);

    // Presses the item (button, checkbox, radio button, selectable, tree node,
    // collapsing header, menu, combo) as keyboard navigation does; the item's
    // window takes the keyboard focus with its navigation cursor on the item, as
    // after a click, but does not come to the front. An item scrolled out of
    // sight is pressed all the same; one a list clipper leaves undrawn is not there.
    void click(const ItemPath& item);
    void click(const char* window, const char* label) { click(ItemPath{window, label}); }
    // Makes the item active as keyboard navigation does; a slider or drag then
    // moves with the arrow keys until Escape.
    void activate(const ItemPath& item);
    void activate(const char* window, const char* label) { activate(ItemPath{window, label}); }

    // Makes the field active with its text selected (as Ctrl+click does on a
    // slider or drag, which then shows a text field), types `text`, and ends as
    // `after` says. Fields of any kind: text, multi-line text ("\n" starts a new
    // line), numbers (with or without step buttons), sliders and drags. Text of
    // any length arrives as SDL text events of at most 31 bytes each.
    void typeInto(const ItemPath& field, const std::string& text, AfterTyping after = AfterTyping::confirm);
    // `numberField` says where to look first: a number field with step buttons
    // (InputFloat) holds its text one id level down; either way both are tried.
    void typeInto(const char* window, const char* label, const std::string& text, bool numberField = true);
    // Types `value` (shortest decimal form) into a slider, drag or number field and presses Enter.
    void setValue(const ItemPath& field, double value);

    // Opens menu `menu` of the main menu bar and chooses its item `item`.
    void chooseMenuItem(const char* menu, const char* item);
    // Opens menu `menu` of the menu bar of `window` (a window or child region) and chooses `item`.
    void chooseMenuItem(const ItemPath& window, const char* menu, const char* item);
    // Through submenus: each name but the last opens a menu of the menu bar of
    // `window` or of the menu before; the last is chosen.
    void chooseMenuItem(const ItemPath& window, std::initializer_list<const char*> menusThenItem);
    // Opens the combo and chooses its entry `label`. Entries under per-entry
    // scopes (ImGui::Combo makes them) are found by their text, with the pointer,
    // the wheel scrolling the list until they show.
    void chooseComboItem(const ItemPath& combo, const char* label);
    // Chooses an item of the topmost open popup (context menu, popup, menu or
    // combo list); the path starts inside the popup, as {"Copy"}; a lone label is
    // also looked for by its text, as in chooseComboItem.
    void choosePopupItem(const ItemPath& item);

    // The real pointer, in the program window's pixels.
    void moveMouse(float x, float y);
    void mouseDown();
    void mouseUp();
    // Presses at `from`, moves to `to` in `steps` frames, releases.
    void drag(float fromX, float fromY, float toX, float toY, int steps);
    // The real pointer on the middle of an item or region (scrolled into sight
    // first when needed): moved there, then the buttons or the wheel. Each fails
    // when another window covers that point. Moving the pointer ends keyboard
    // navigation's hold on hovering, as a real mouse does; a click focuses the
    // window and brings it to the front. doubleClick lengthens Dear ImGui's
    // double-click time while it runs: software-drawn frames are slow.
    void hover(const ItemPath& itemOrRegion);
    void mouseClick(const ItemPath& itemOrRegion);
    void rightClick(const ItemPath& itemOrRegion);
    void doubleClick(const ItemPath& itemOrRegion);
    // `notches` of the wheel over it: positive turns away from the user, scrolling up.
    void wheel(const ItemPath& itemOrRegion, int notches);
    // Clicks with the pointer on the first place where the region shows `text`,
    // for text that reacts to hovering or clicking (Text items have no id).
    void clickText(const ItemPath& region, const std::string& text);

    // Whether window `title` was drawn in the last frame.
    bool windowShown(const char* title) const;
    Placement windowPlace(const char* title) const;
    // How far the main menu bar's items reach, in pixels: grows while a status message shows.
    float menuBarWidth() const;
    // Gives window `title` the keyboard focus, as a click on its title bar does.
    void focusWindow(const char* title);
    // Whether some popup (menu, combo list, context menu, modal) is open.
    bool popupOpen() const;

    // Queries. Those on an item run one frame with it as the navigation target
    // (without hovering, so the frame draws it as it stands), then put focus and
    // target back; the pointer stays. Those reading what an item draws scroll it
    // into sight first where its window has scrolled it away.
    // Whether the item is drawn. Never fails.
    bool exists(const ItemPath& item);
    // The item's or region's rectangle in the program window's pixels.
    Placement itemPlace(const ItemPath& item);
    // Whether the item shows itself checked: a checkbox's or radio button's mark
    // (the CheckMark colour), a selectable's highlight (a Header colour), a menu
    // item's check mark (a shape, not a letter, in the Text colour). Not for tree
    // nodes, headers, combos or submenus, which draw Header frames or arrows always.
    bool isChecked(const ItemPath& item);
    // Whether the item is drawn disabled (inside BeginDisabled): most of the
    // style's colours it draws, text included, at style.DisabledAlpha of their
    // alpha. Fails when it draws none of the style's colours.
    bool isDisabled(const ItemPath& item);
    // The text an item or region shows inside its rectangle (a region: its whole
    // window, title bar and child regions included), read back from the glyphs it
    // drew: lines top to bottom joined by "\n", spaces where the gaps between
    // glyphs are (indentation, and the distance between separate texts on one
    // line, become as many spaces as fit). Glyphs cut by a clip edge are left out.
    std::string shownText(const ItemPath& itemOrRegion);
    // Whether a tree node or collapsing header is open: its arrow points down.
    bool isOpen(const ItemPath& node);
    // Opens or closes a tree node or collapsing header (a click) unless it already is so.
    void setOpen(const ItemPath& node, bool open);
    // How far a window or child region is scrolled down, in pixels.
    float scrollY(const ItemPath& region);

private:
    struct Target; // an item or region found from a path (GuiDriver.cpp)
    struct ShownGlyph;

    void pushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers);
    void pushText(const std::string& text);
    void selectAllText();
    void typeText(const ItemPath& field, const std::string& text, AfterTyping after, bool innerFirst);
    void pointer(const std::string& xdotoolArguments);
    void placePointer(float x, float y);
    void placePointerOn(float x, float y);
    void pushWheel(int direction);
    void pointerButton(int button, bool down, int framesAfter);

    bool find(const ItemPath& path, bool regionAllowed, Target& out, bool quiet = false);
    void reveal(const Target& target);
    bool probe(Target& target);
    bool locate(const ItemPath& path, bool regionAllowed, Target& out, bool intoSight = false);
    bool bringIntoSight(Target& target);
    bool pointAt(const ItemPath& path);
    void press(const Target& target, int activateFlags);
    bool pressed(const Target& target, const char* what);
    bool findInTopPopup(const ItemPath& item, Target& out);
    bool findShownEntry(const std::string& label, Target& out);
    void choose(const Target& entry);
    std::vector<ShownGlyph> glyphsIn(const Target& target) const;

    AppState& app_;
    Uint16 heldModifiers_ = KMOD_NONE;
};
