// Every use of Dear ImGui's internal interface in the tests is in this file:
// it changes between releases.
#include "support/GuiDriver.h"

#include "app/Shell.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstdio>
#include <cstdlib>

namespace {

ImGuiWindow* findWindow(const char* title) {
    ImGuiWindow* window = ImGui::FindWindowByName(title);
    if (!window)
        ADD_FAILURE() << "no window \"" << title << "\"";
    return window;
}

// Presses the item `id` on the next frame it is drawn, as keyboard navigation does.
void activateId(ImGuiID id) {
    ImGui::GetCurrentContext()->NavInputSource = ImGuiInputSource_Keyboard;
    ImGui::ActivateItem(id);
}

ImGuiID idIn(ImGuiWindow* window, const char* label) { return ImGui::GetIDWithSeed(label, nullptr, window->ID); }

} // namespace

GuiDriver::GuiDriver(AppState& app) : app_(app) {}

void GuiDriver::frames(int count) {
    for (int i = 0; i < count; ++i)
        runFrame(app_);
}

void GuiDriver::pushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    event.key.windowID = SDL_GetWindowID(app_.window.window);
    SDL_PushEvent(&event);
}

void GuiDriver::key(SDL_Keycode key, Uint16 modifiers) { holdKey(key, 1, modifiers); }

void GuiDriver::holdKey(SDL_Keycode key, int count, Uint16 modifiers) {
    // As a keyboard sends them: the modifiers go down first and up last. The GUI
    // reads them from SDL's keyboard state, the shell from each event.
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    SDL_SetModState(static_cast<SDL_Keymod>(modifiers));
    if (ctrl)
        pushKey(SDL_KEYDOWN, SDLK_LCTRL, modifiers);
    if (shift)
        pushKey(SDL_KEYDOWN, SDLK_LSHIFT, modifiers);
    pushKey(SDL_KEYDOWN, key, modifiers);
    frames(count);
    pushKey(SDL_KEYUP, key, modifiers);
    frames(1);
    SDL_SetModState(KMOD_NONE);
    if (shift)
        pushKey(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE);
    if (ctrl)
        pushKey(SDL_KEYUP, SDLK_LCTRL, KMOD_NONE);
    frames(3); // a window placed by the key settles in the frame after
}

uint32_t GuiDriver::pressItem(const char* window, const char* label) {
    ImGuiWindow* found = findWindow(window);
    if (!found)
        return 0;
    const ImGuiID id = idIn(found, label);
    activateId(id);
    frames(2);
    return id;
}

void GuiDriver::click(const char* window, const char* label) {
    const ImGuiID id = pressItem(window, label);
    if (id && ImGui::GetCurrentContext()->LastActiveId != id)
        ADD_FAILURE() << "no item \"" << label << "\" in window \"" << window << "\"";
}

void GuiDriver::activate(const char* window, const char* label) {
    const ImGuiID id = pressItem(window, label);
    if (id && ImGui::GetCurrentContext()->ActiveId != id)
        ADD_FAILURE() << "no item \"" << label << "\" in window \"" << window << "\"";
}

void GuiDriver::chooseMenuItem(const char* menu, const char* item) {
    ImGuiWindow* bar = findWindow("##MainMenuBar");
    if (!bar)
        return;
    // The bar's menus live under the "##menubar" id.
    const ImGuiID menuId = ImGui::GetIDWithSeed(menu, nullptr, idIn(bar, "##menubar"));
    activateId(menuId);
    frames(2);
    ImGuiContext& g = *ImGui::GetCurrentContext();
    if (g.OpenPopupStack.empty() || !g.OpenPopupStack.back().Window) {
        ADD_FAILURE() << "menu \"" << menu << "\" did not open";
        return;
    }
    ImGuiWindow* popup = g.OpenPopupStack.back().Window;
    const ImGuiID id = idIn(popup, item);
    activateId(id);
    frames(2);
    if (g.LastActiveId != id)
        ADD_FAILURE() << "no item \"" << item << "\" in menu \"" << menu << "\"";
}

void GuiDriver::typeInto(const char* window, const char* label, const std::string& text, bool numberField) {
    ImGuiWindow* found = findWindow(window);
    if (!found)
        return;
    const ImGuiID id = numberField ? ImGui::GetIDWithSeed("", nullptr, idIn(found, label)) : idIn(found, label);
    activateId(id); // selects the whole text, so typing replaces it
    frames(2);
    if (ImGui::GetCurrentContext()->ActiveId != id) {
        ADD_FAILURE() << "no field \"" << label << "\" in window \"" << window << "\"";
        return;
    }
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(app_.window.window);
    std::snprintf(event.text.text, sizeof event.text.text, "%s", text.c_str());
    SDL_PushEvent(&event);
    frames(1);
    key(SDLK_RETURN);
}

void GuiDriver::pointer(const std::string& xdotoolArguments) {
    const std::string command = "xdotool " + xdotoolArguments;
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "could not run " << command;
}

void GuiDriver::moveMouse(float x, float y) {
    placePointer(x, y);
    frames(2);
}

// Warps the X pointer itself (xdotool's moves do not reach Xvfb's pointer here).
void GuiDriver::placePointer(float x, float y) {
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(app_.window.window, &left, &top);
    SDL_WarpMouseGlobal(left + static_cast<int>(x), top + static_cast<int>(y));
}

void GuiDriver::mouseDown() {
    pointer("mousedown 1");
    frames(2);
}

void GuiDriver::mouseUp() {
    pointer("mouseup 1");
    frames(2);
}

void GuiDriver::drag(float fromX, float fromY, float toX, float toY, int steps) {
    moveMouse(fromX, fromY);
    mouseDown();
    for (int i = 1; i <= steps; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(steps);
        placePointer(fromX + (toX - fromX) * f, fromY + (toY - fromY) * f);
        frames(1);
    }
    mouseUp();
}

bool GuiDriver::windowShown(const char* title) const {
    const ImGuiWindow* window = ImGui::FindWindowByName(title);
    return window && window->Active;
}

Placement GuiDriver::windowPlace(const char* title) const {
    const ImGuiWindow* window = findWindow(title);
    if (!window)
        return {};
    return {window->Pos.x, window->Pos.y, window->Size.x, window->Size.y};
}

float GuiDriver::menuBarWidth() const {
    const ImGuiWindow* bar = findWindow("##MainMenuBar");
    return bar ? bar->DC.CursorMaxPos.x : 0.0f;
}

void GuiDriver::focusWindow(const char* title) {
    ImGui::SetWindowFocus(title);
    frames(2);
}
