#include "editor/windows/ToolWindows.h"

#include "editor/windows/BpmTapWindow.h"
#include "editor/windows/ControllersWindow.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/EffectManagerWindow.h"
#include "editor/windows/EventGroupManagerWindow.h"
#include "editor/windows/FontManagerWindow.h"
#include "editor/windows/SampleManagerWindow.h"
#include "editor/windows/TextureManagerWindow.h"
#include "editor/windows/ViewportWindow.h"
#include "editor/windows/eventmanager/EventManagerWindow.h"
#include "editor/windows/shadereditor/ShaderEditorWindow.h"

namespace {

void drawBpmTap(EditorState& editor, EditorContext& context) {
    if (!editor.bpmTap)
        editor.bpmTap.emplace(context.clock.ticks);
    drawBpmTapBody(*editor.bpmTap);
}

const ImVec2 toolSize{firstUseWidth, firstUseHeight};
const ImVec2 guiSize{0.0f, 0.0f};
// Room for its title, its button and its reading.
const ImVec2 bpmTapSize{160.0f, 90.0f};
// The list and an inspector whose lines read whole.
const ImVec2 eventManagerSize{1160.0f, 400.0f};
// The list and the 256-pixel preview of a landscape image.
const ImVec2 textureManagerSize{640.0f, 380.0f};
// The inputs above, a handful of bindings below.
const ImVec2 controllersSize{640.0f, 300.0f};
// Fonts above, font textures below, a 320 x 240 texture whole.
const ImVec2 fontManagerSize{960.0f, 720.0f};

template <typename State, State EditorState::*member> WindowState* stateOf(EditorState& editor) {
    return &(editor.*member);
}

const ToolWindow windows[] = {
    {.title = windowTitle::shaderEditor,
     .open = &WindowFlags::shaderEditor,
     .key = SDLK_s,
     .shortcut = "Ctrl+Shift+S",
     .menuPosition = 3,
     .flags = ImGuiWindowFlags_MenuBar,
     .arranged = arrangedShaderEditor,
     .firstUseSize = guiSize,
     .openedByArranging = true,
     .hiddenBySeeThrough = true,
     .draw = drawShaderEditor,
     .state = stateOf<ShaderEditorState, &EditorState::shaderEditor>},
    {.title = windowTitle::textureManager,
     .open = &WindowFlags::textureManager,
     .key = SDLK_x,
     .shortcut = "Ctrl+Shift+X",
     .menuPosition = 4,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = textureManagerSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = true,
     .draw = drawTextureManager,
     .state = stateOf<TextureManagerState, &EditorState::textureManager>},
    {.title = windowTitle::viewport,
     .open = &WindowFlags::viewport,
     .key = SDLK_v,
     .shortcut = "Ctrl+Shift+V",
     .menuPosition = 0,
     .flags = ImGuiWindowFlags_NoScrollbar,
     .arranged = arrangedViewport,
     .firstUseSize = guiSize,
     .openedByArranging = true,
     .hiddenBySeeThrough = true,
     .draw = drawViewport,
     .state = nullptr},
    {.title = windowTitle::effectManager,
     .open = &WindowFlags::effectManager,
     .key = SDLK_c,
     .shortcut = "Ctrl+Shift+C",
     .menuPosition = 1,
     .flags = 0,
     .arranged = arrangedEffectManager,
     .firstUseSize = guiSize,
     .openedByArranging = true,
     .hiddenBySeeThrough = true,
     .draw = drawEffectManager,
     .state = stateOf<EffectManagerState, &EditorState::effectManager>},
    {.title = windowTitle::eventManager,
     .open = &WindowFlags::eventManager,
     .key = SDLK_e,
     .shortcut = "Ctrl+Shift+E",
     .menuPosition = 2,
     .flags = 0,
     .arranged = arrangedEventManager,
     .firstUseSize = eventManagerSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = true,
     .draw = drawEventManager,
     .state = stateOf<EventManagerState, &EditorState::eventManager>},
    {.title = windowTitle::sampleManager,
     .open = &WindowFlags::sampleManager,
     .key = SDLK_m,
     .shortcut = "Ctrl+Shift+M",
     .menuPosition = 5,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = toolSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = true,
     .draw = drawSampleManager,
     .state = stateOf<SampleManagerState, &EditorState::sampleManager>},
    {.title = windowTitle::eventGroupManager,
     .open = &WindowFlags::eventGroupManager,
     .key = SDLK_g,
     .shortcut = "Ctrl+Shift+G",
     .menuPosition = 6,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = toolSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = false,
     .draw = drawEventGroupManager,
     .state = stateOf<EventGroupManagerState, &EditorState::eventGroupManager>},
    {.title = windowTitle::fontManager,
     .open = &WindowFlags::fontManager,
     .key = SDLK_f,
     .shortcut = "Ctrl+Shift+F",
     .menuPosition = 7,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = fontManagerSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = true,
     .draw = drawFontManager,
     .state = stateOf<FontManagerState, &EditorState::fontManager>},
    {.title = windowTitle::bpmTap,
     .open = &WindowFlags::bpmTap,
     .key = 0,
     .shortcut = nullptr,
     .menuPosition = 8,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = bpmTapSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = false,
     .draw = drawBpmTap,
     .state = nullptr},
    {.title = windowTitle::controllers,
     .open = &WindowFlags::controllers,
     .key = SDLK_k,
     .shortcut = "Ctrl+Shift+K",
     .menuPosition = 9,
     .flags = 0,
     .arranged = nullptr,
     .firstUseSize = controllersSize,
     .openedByArranging = false,
     .hiddenBySeeThrough = false,
     .draw = drawControllers,
     .state = nullptr},
};

void place(const ToolWindow& window, const Display& display, bool arranging) {
    if (window.arranged && arranging) {
        const Placement at = window.arranged(display);
        ImGui::SetNextWindowPos({at.x, at.y}, ImGuiCond_Always);
        ImGui::SetNextWindowSize({at.width, at.height}, ImGuiCond_Always);
    } else if (window.firstUseSize.x > 0.0f) {
        ImGui::SetNextWindowSize(window.firstUseSize, ImGuiCond_FirstUseEver);
    }
}

} // namespace

std::span<const ToolWindow> toolWindows() { return windows; }

void drawToolWindows(EditorState& editor, EditorContext& context) {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    const ScreenSize screen = context.frame.screen;
    const Display display{size.x, size.y, static_cast<float>(screen.width) / static_cast<float>(screen.height)};
    for (const ToolWindow& window : windows) {
        bool& open = editor.show.*window.open;
        if (!open)
            continue;
        place(window, display, editor.arrangeRequested);
        if (ImGui::Begin(window.title, &open, window.flags))
            window.draw(editor, context);
        ImGui::End();
    }
}
