// The editor's tool windows, one row each in one table: their titles, keys,
// places and roles. The View menu, the window keys, arranging, see-through and
// drawing are all made from it, so a new window is one row and one draw function.
#pragma once

#include "editor/windows/WindowLayout.h"

#include <SDL.h>
#include <imgui.h>

#include <span>

struct EditorState;
struct EditorContext;
struct WindowFlags;
struct WindowState;

// The windows' titles, which the table gives them; a window's edits name it
// by its title too (MergeKey::window).
namespace windowTitle {
inline constexpr const char* shaderEditor = "Shader Editor";
inline constexpr const char* textureManager = "Texture Manager";
inline constexpr const char* viewport = "Viewport";
inline constexpr const char* effectManager = "Effect Manager";
inline constexpr const char* eventManager = "Event Manager";
inline constexpr const char* sampleManager = "Sample Manager";
inline constexpr const char* eventGroupManager = "Event Group Manager";
inline constexpr const char* fontManager = "Font Manager";
inline constexpr const char* bpmTap = "BPM Tap";
inline constexpr const char* controllers = "Controllers";
} // namespace windowTitle

struct ToolWindow {
    const char* title;
    bool WindowFlags::*open; // its close button clears it
    SDL_Keycode key;         // Ctrl+Shift+key shows or hides it; 0: none
    const char* shortcut;    // as the View menu shows the key
    int menuPosition;        // its place in the View menu
    ImGuiWindowFlags flags;
    Placement (*arranged)(const Display&); // its place when arranged; null: left where it is
    ImVec2 firstUseSize;                   // (0, 0): the GUI's own size
    bool openedByArranging;                // one of the standard windows
    bool hiddenBySeeThrough;               // closed whenever see-through turns on or off
    void (*draw)(EditorState&, EditorContext&);
    WindowState* (*state)(EditorState&); // what it remembers; null when nothing of the project
};

// In drawing order.
std::span<const ToolWindow> toolWindows();

// Each open window, placed by the arranged layout or given a size on first use.
void drawToolWindows(EditorState& editor, EditorContext& context);
