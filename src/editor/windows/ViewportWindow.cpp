#include "editor/windows/ViewportWindow.h"

#include "composition/Composition.h"
#include "editor/windows/EditorContext.h"
#include "editor/windows/EditorState.h"
#include "editor/windows/FreeCamera.h"

#include <SDL.h>
#include <imgui.h>

#include <cstdint>

namespace {

// The SDL back end keeps the keys held by scancode.
bool held(SDL_Scancode scancode) { return ImGui::GetIO().KeysDown[scancode]; }

CameraKeys heldCameraKeys() {
    CameraKeys keys;
    keys.fast = held(SDL_SCANCODE_LSHIFT);
    keys.reset = held(SDL_SCANCODE_R);
    keys.turnLeft = held(SDL_SCANCODE_Q);
    keys.turnRight = held(SDL_SCANCODE_E);
    keys.forward = held(SDL_SCANCODE_UP) || held(SDL_SCANCODE_W);
    keys.back = held(SDL_SCANCODE_DOWN) || held(SDL_SCANCODE_S);
    keys.left = held(SDL_SCANCODE_LEFT) || held(SDL_SCANCODE_A);
    keys.right = held(SDL_SCANCODE_RIGHT) || held(SDL_SCANCODE_D);
    keys.up = held(SDL_SCANCODE_PAGEUP) || held(SDL_SCANCODE_SPACE);
    keys.down = held(SDL_SCANCODE_PAGEDOWN) || held(SDL_SCANCODE_C);
    return keys;
}

bool mouseInContentRegion() {
    const ImVec2 origin = ImGui::GetWindowPos();
    const ImVec2 min = ImGui::GetWindowContentRegionMin();
    const ImVec2 max = ImGui::GetWindowContentRegionMax();
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    return mouse.x >= origin.x + min.x && mouse.y >= origin.y + min.y && mouse.x < origin.x + max.x &&
           mouse.y < origin.y + max.y;
}

void updateMouseLook(MouseLook& look, Camera& camera) {
    if (ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
        if (look.active)
            look.active = false;
        else if (mouseInContentRegion())
            look.active = true;
        look.lastX = look.lastY = -10000;
    }
    if (!look.active)
        return;
    ImGui::SetMouseCursor(ImGuiMouseCursor_None);
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    const int x = static_cast<int>(mouse.x);
    const int y = static_cast<int>(mouse.y);
    lookWithMouse(camera, x - look.lastX, y - look.lastY);
    look.lastX = x;
    look.lastY = y;
}

// The picture: the top layer's output texture, which the capture fills with the
// whole composed frame, shown upside down as GL stores it.
void showPicture(EditorContext& context, const Effect& top) {
    EffectTargets& targets = context.render.effect(top);
    targets.captureScreen(context.frame.screen);
    const float width = ImGui::GetContentRegionAvail().x;
    const float aspect =
        static_cast<float>(context.frame.screen.width) / static_cast<float>(context.frame.screen.height);
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(targets.output.texture)), {width, width / aspect},
                 {0.0f, 1.0f}, {1.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 128.0f / 255.0f});
}

} // namespace

void drawViewport(EditorState& editor, EditorContext& context) {
    if (const Effect* top = renderAt(context.demo, context.render, context.audio, context.frame))
        showPicture(context, *top);
    if (!ImGui::IsWindowFocused())
        return;
    updateMouseLook(editor.mouseLook, context.camera);
    driveCamera(context.camera, heldCameraKeys());
}
