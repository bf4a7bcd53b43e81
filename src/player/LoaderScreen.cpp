#include "player/LoaderScreen.h"

#include "assets/BuiltinAssets.h"
#include "render/EffectRenderer.h"

#include <GL/glew.h>

#include <string>

namespace {

// The picture covers this fixed area from the lower-left corner whatever the
// window's size: on a wider desktop it fills only part of the window, on a
// narrower one it is cut off. The shader still lays it out for the window's size.
constexpr int loaderWidth = 1920;
constexpr int loaderHeight = 1080;
constexpr int tailFrames = 100;

void discardPendingEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

void targetLoaderArea(const LoaderScreen& loader) {
    SDL_GL_MakeCurrent(loader.window, loader.context);
    glViewport(0, 0, loaderWidth, loaderHeight);
}

void setUniform(const CompiledProgram& program, const char* name, float value) {
    const GLint location = glGetUniformLocation(program.programObject, name);
    if (location != -1)
        glUniform1f(location, value);
}

} // namespace

void setUpLoader(LoaderScreen& loader, SDL_Window* window, SDL_GLContext context) {
    loader.window = window;
    loader.context = context;
    SDL_ShowCursor(SDL_DISABLE);
    discardPendingEvents();
    targetLoaderArea(loader);
    SDL_GL_SwapWindow(window);

    loader.program.fragmentShaderSource = std::string(loaderShader());
    loader.logo = Texture("loader", loaderImage());
    loader.effect = Effect("Loader", &loader.program, &loader.logo, nullptr, false, false);
    loader.jingle = AudioSample("loader", loaderJingle());
    loader.render.program(loader.program);
    loader.audio.sound(loader.jingle);
}

void renderLoaderFrame(LoaderScreen& loader, uint64_t read, uint64_t total) {
    discardPendingEvents();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    targetLoaderArea(loader);

    // The shader lays the logo out for the window's size, whatever area it covers.
    FrameContext frame;
    SDL_GetWindowSize(loader.window, &frame.screen.width, &frame.screen.height);
    const CompiledProgram& program = loader.render.program(loader.program);
    glUseProgram(program.programObject);
    setUniform(program, "read", static_cast<float>(read));
    setUniform(program, "total", static_cast<float>(total));
    EffectRenderer(loader.render, frame).drawPass(loader.effect, false);

    SDL_GL_SwapWindow(loader.window);
    SDL_Delay(loader.frameDelayMs);
}

void showLoaderTail(LoaderScreen& loader, uint64_t total) {
    loader.audio.play(loader.jingle);
    for (int frame = 0; frame < tailFrames; ++frame) {
        renderLoaderFrame(loader, total, total);
        SDL_Delay(loader.frameDelayMs);
    }
}
