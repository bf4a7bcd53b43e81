#include "player/ShellWindow.h"

#include "render/Gl.h"

#include <cstdio>

namespace {

const char* const windowTitle = "Quillfront by Vexlane";

const char* glString(GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); }

} // namespace

bool demoScreenSize(ScreenSize& size) {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        SDL_Log("SDL_GetDesktopDisplayMode failed: %s", SDL_GetError());
        return false;
    }
    size = {desktop.w, desktop.w * 9 / 16};
    return true;
}

bool openShellWindow(ShellWindow& shellWindow, ScreenSize size) {
    SDL_Window* window = SDL_CreateWindow(windowTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, size.width,
                                          size.height, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (!window) {
        SDL_Log("SDL_CreateWindow failed: %s", SDL_GetError());
        return false;
    }
    shellWindow.window = window;
    shellWindow.glContext = SDL_GL_CreateContext(window);
    if (!shellWindow.glContext) {
        SDL_Log("SDL_GL_CreateContext failed: %s", SDL_GetError());
        return false;
    }
    // GLEW looks functions up by name; without this it misses those a core context
    // does not list as extensions.
    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        SDL_Log("glewInit failed: %s", reinterpret_cast<const char*>(glewGetErrorString(glewStatus)));
        return false;
    }
    return true;
}

void closeShellWindow(ShellWindow& shellWindow) {
    SDL_GL_DeleteContext(shellWindow.glContext);
    SDL_DestroyWindow(shellWindow.window);
    shellWindow = ShellWindow();
}

void printGlStrings() {
    std::printf("OpenGL version: %s\n", glString(GL_VERSION));
    std::printf("GLSL version: %s\n", glString(GL_SHADING_LANGUAGE_VERSION));
    std::printf("Vendor: %s\n", glString(GL_VENDOR));
    std::printf("Renderer: %s\n", glString(GL_RENDERER));
}
