#include "editor/windows/ToolWindows.h"

#include "editor/windows/BpmTapWindow.h"
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

void drawBpmTap(EditorState& editor, EditorContext&) {
    if (!editor.bpmTap)
        editor.bpmTap.emplace(editor.tapTicks);
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
// Fonts above, font textures below, a 320 x 240 texture whole.
const ImVec2 fontManagerSize{960.0f, 720.0f};

const ToolWindow windows[] = {
    {"Shader Editor", &WindowFlags::shaderEditor, SDLK_s, "Ctrl+Shift+S", 3, ImGuiWindowFlags_MenuBar,
     arrangedShaderEditor, guiSize, true, true, drawShaderEditor,
     [](EditorState& editor) -> WindowState* { return &editor.shaderEditor; }},
    {"Texture Manager", &WindowFlags::textureManager, SDLK_x, "Ctrl+Shift+X", 4, 0, nullptr, textureManagerSize, false,
     true, drawTextureManager, [](EditorState& editor) -> WindowState* { return &editor.textureManager; }},
    {"Viewport", &WindowFlags::viewport, SDLK_v, "Ctrl+Shift+V", 0, ImGuiWindowFlags_NoScrollbar, arrangedViewport,
     guiSize, true, true, drawViewport, nullptr},
    {"Effect Manager", &WindowFlags::effectManager, SDLK_c, "Ctrl+Shift+C", 1, 0, arrangedEffectManager, guiSize, true,
     true, drawEffectManager, [](EditorState& editor) -> WindowState* { return &editor.effectManager; }},
    {"Event Manager", &WindowFlags::eventManager, SDLK_e, "Ctrl+Shift+E", 2, 0, arrangedEventManager, eventManagerSize,
     false, true, drawEventManager, [](EditorState& editor) -> WindowState* { return &editor.eventManager; }},
    {"Sample Manager", &WindowFlags::sampleManager, SDLK_m, "Ctrl+Shift+M", 5, 0, nullptr, toolSize, false, true,
     drawSampleManager, [](EditorState& editor) -> WindowState* { return &editor.sampleManager; }},
    {"Event Group Manager", &WindowFlags::eventGroupManager, SDLK_g, "Ctrl+Shift+G", 6, 0, nullptr, toolSize, false,
     false, drawEventGroupManager, [](EditorState& editor) -> WindowState* { return &editor.eventGroupManager; }},
    {"Font Manager", &WindowFlags::fontManager, SDLK_f, "Ctrl+Shift+F", 7, 0, nullptr, fontManagerSize, false, true,
     drawFontManager, [](EditorState& editor) -> WindowState* { return &editor.fontManager; }},
    {"BPM Tap", &WindowFlags::bpmTap, 0, nullptr, 8, 0, nullptr, bpmTapSize, false, false, drawBpmTap, nullptr},
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
