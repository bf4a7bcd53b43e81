#include "support/GlWindow.h"

#include <GL/glew.h>

#include <vector>

GlWindow::GlWindow(int width, int height, GlContextRequest request) : width_(width), height_(height) {
    // Without Mesa's shader cache every compile reports the driver's own verdict,
    // whatever earlier test runs compiled.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = SDL_GetError();
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, request.es     ? SDL_GL_CONTEXT_PROFILE_ES
                                                     : request.core ? SDL_GL_CONTEXT_PROFILE_CORE
                                                                    : SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, request.major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, request.minor);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    window_ = SDL_CreateWindow("render test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (window_)
        context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        error_ = SDL_GetError();
        return;
    }
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {
    }
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

GlWindow::~GlWindow() {
    if (context_)
        SDL_GL_DeleteContext(context_);
    if (window_)
        SDL_DestroyWindow(window_);
    // SDL's video stays up: taken down and brought up again, its X11 driver
    // fails every second start.
}

Rgba GlWindow::pixelAt(int x, int y) const {
    Rgba pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

Rgba GlWindow::texelAt(uint32_t texture, int x, int y) const {
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> texels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
    return {texels[at], texels[at + 1], texels[at + 2], texels[at + 3]};
}
