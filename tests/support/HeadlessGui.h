// A Dear ImGui context with no window or renderer behind it, for driving
// widgets frame by frame with a simulated mouse.
#pragma once

#include <imgui.h>

#include <functional>

class HeadlessGui {
public:
    static constexpr float width = 1920.0f;
    static constexpr float height = 1080.0f;

    HeadlessGui() {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(width, height);
        io.DeltaTime = 1.0f / 60.0f;
        unsigned char* pixels = nullptr;
        int atlasWidth = 0, atlasHeight = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &atlasWidth, &atlasHeight);
    }
    ~HeadlessGui() { ImGui::DestroyContext(); }
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

    // One frame with the mouse at `mouse`, its left button down or not, running
    // `body` inside a window that covers the whole display.
    void frame(ImVec2 mouse, bool buttonDown, const std::function<void()>& body) {
        ImGuiIO& io = ImGui::GetIO();
        io.MousePos = mouse;
        io.MouseDown[0] = buttonDown;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
        ImGui::SetNextWindowSize(io.DisplaySize);
        ImGui::Begin("Editor", nullptr, ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove);
        body();
        ImGui::End();
        ImGui::Render();
    }
};
