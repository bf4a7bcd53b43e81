// A real window with an OpenGL context for render tests, set up as the program
// sets up its own: a 3.0 context, GLEW, and the blend state every pass relies on.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>

using Rgba = std::array<uint8_t, 4>;

struct GlContextRequest {
    int major = 3;
    int minor = 0;
    bool core = true;
    bool es = false; // an OpenGL ES context, as WebGL 2 is (3.0)
};

class GlWindow {
public:
    GlWindow(int width, int height, GlContextRequest request = {});
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    bool ok() const { return context_ != nullptr; }
    // Why the window or its context could not be created.
    const std::string& error() const { return error_; }
    // The back buffer's pixel at (x, y), origin at the lower left.
    Rgba pixelAt(int x, int y) const;
    // The pixel at (x, y) of a GL texture's level 0, origin at the first row.
    Rgba texelAt(uint32_t texture, int x, int y) const;

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    int width_;
    int height_;
    std::string error_;
};
