#include "editor/ToolWindows.h"

#include "editor/BpmTapWindow.h"
#include "editor/EditorContext.h"
#include "editor/EditorState.h"
#include "editor/EffectManagerWindow.h"
#include "editor/EventGroupManagerWindow.h"
#include "editor/EventManagerWindow.h"
#include "editor/FontManagerWindow.h"
#include "editor/SampleManagerWindow.h"
#include "editor/ShaderEditorWindow.h"
#include "editor/TextureManagerWindow.h"
#include "editor/ViewportWindow.h"
#include "editor/WindowLayout.h"

#include <imgui.h>

namespace {

struct ToolWindow {
    const char* title;
    bool WindowFlags::*open;
    ImGuiWindowFlags flags;
    Placement (*arranged)(const Display&); // null: not part of the arranged layout
    ImVec2 firstUseSize;                    // (0, 0): the GUI's own size
    void (*drawBody)(EditorState&, EditorContext&);
};

void drawBpmTap(EditorState& editor, EditorContext&) {
    if (!editor.bpmTap)
        editor.bpmTap.emplace(editor.tapTicks);
    drawBpmTapBody(*editor.bpmTap);
}

const ImVec2 toolSize{firstUseWidth, firstUseHeight};
const ImVec2 none{0.0f, 0.0f};
// Room for its title, its button and its reading.
const ImVec2 bpmTapSize{160.0f, 90.0f};

// In drawing order.
const ToolWindow toolWindows[] = {
    {"Shader Editor", &WindowFlags::shaderEditor, ImGuiWindowFlags_MenuBar, arrangedShaderEditor, none,
     drawShaderEditor},
    {"Texture Manager", &WindowFlags::textureManager, 0, nullptr, toolSize, drawTextureManager},
    {"Viewport", &WindowFlags::viewport, ImGuiWindowFlags_NoScrollbar, arrangedViewport, none, drawViewport},
    {"Effect Manager", &WindowFlags::effectManager, 0, arrangedEffectManager, none, drawEffectManager},
    {"Event Manager", &WindowFlags::eventManager, 0, arrangedEventManager, toolSize, drawEventManager},
    {"Sample Manager", &WindowFlags::sampleManager, 0, nullptr, toolSize, drawSampleManager},
    {"Event Group Manager", &WindowFlags::eventGroupManager, 0, nullptr, toolSize, drawEventGroupManager},
    {"Font Manager", &WindowFlags::fontManager, 0, nullptr, toolSize, drawFontManager},
    {"BPM Tap", &WindowFlags::bpmTap, 0, nullptr, bpmTapSize, drawBpmTap},
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

void drawToolWindows(EditorState& editor, EditorContext& context) {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    const ScreenSize screen = context.frame.screen;
    const Display display{size.x, size.y, static_cast<float>(screen.width) / static_cast<float>(screen.height)};
    for (const ToolWindow& window : toolWindows) {
        bool& open = editor.show.*window.open;
        if (!open)
            continue;
        place(window, display, editor.arrangeRequested);
        if (ImGui::Begin(window.title, &open, window.flags))
            window.drawBody(editor, context);
        ImGui::End();
    }
}
