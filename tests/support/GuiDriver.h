// Drives the real editor as a user does: the program's own window and GUI
// under Xvfb, its frame steps, keys and text as SDL events through the main
// loop's event path, and the real pointer moved and pressed on the test's X
// display (Dear ImGui 1.86's SDL back end reads the mouse from the system, not
// from pushed events): moved with X's own warp, pressed with xdotool. Widgets are found by window title and label; a step
// that cannot find its widget fails the test naming both.
//
// See GUI_TESTS.md beside this file.
#pragma once

#include "app/AppState.h"
#include "editor/WindowLayout.h"

#include <SDL.h>

#include <cstdint>
#include <string>

class GuiDriver {
public:
    // `app` has been started (startUp) and shows the editor or will.
    explicit GuiDriver(AppState& app);

    // Runs `count` frames of the main loop.
    void frames(int count = 3);

    // A key pressed and released with the modifiers held, as the keyboard sends it.
    void key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE);
    void ctrlKey(SDL_Keycode k) { key(k, KMOD_LCTRL); }
    void ctrlShiftKey(SDL_Keycode k) { key(k, KMOD_LCTRL | KMOD_LSHIFT); }
    // Keeps `key` down over `count` frames.
    void holdKey(SDL_Keycode key, int count, Uint16 modifiers = KMOD_NONE);

    // Presses the button (or checkbox, selectable) `label` of window `window`.
    void click(const char* window, const char* label);
    // Opens menu `menu` of the main menu bar and chooses its item `item`.
    void chooseMenuItem(const char* menu, const char* item);
    // Makes item `label` of `window` active as keyboard navigation does; a slider
    // then moves with the arrow keys until Escape.
    void activate(const char* window, const char* label);
    // Replaces the text of field `label` of `window` with `text` and presses Enter.
    // Number fields with step buttons (InputFloat) hold their text one level down.
    void typeInto(const char* window, const char* label, const std::string& text, bool numberField = true);

    // The real pointer, in the program window's pixels.
    void moveMouse(float x, float y);
    void mouseDown();
    void mouseUp();
    // Presses at `from`, moves to `to` in `steps` frames, releases.
    void drag(float fromX, float fromY, float toX, float toY, int steps);

    // Whether window `title` was drawn in the last frame.
    bool windowShown(const char* title) const;
    Placement windowPlace(const char* title) const;
    // How far the main menu bar's items reach, in pixels: grows while a status message shows.
    float menuBarWidth() const;
    // Gives window `title` the keyboard focus, as a click on its title bar does.
    void focusWindow(const char* title);

private:
    void pushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers);
    // Presses the item as keyboard navigation does; its id, or 0 when the window is missing.
    uint32_t pressItem(const char* window, const char* label);
    void pointer(const std::string& xdotoolArguments);
    void placePointer(float x, float y);

    AppState& app_;
};
