#include "app/LoaderScreen.h"

#include "app/BuiltinAssets.h"
#include "audio/AudioSample.h"
#include "project/ByteBuffer.h"
#include "render/Effect.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

#include <GL/glew.h>

#include <cassert>
#include <memory>
#include <string>

Effect* loaderEffect = nullptr;
AudioSample* loaderSample = nullptr;

namespace {

// The picture covers this fixed area from the lower-left corner whatever the
// window's size: on a wider desktop it fills only part of the window, on a
// narrower one it is cut off. The shader still lays it out for the window's size.
constexpr int loaderWidth = 1920;
constexpr int loaderHeight = 1080;
constexpr Uint32 frameDelayMs = 20;
constexpr int tailFrames = 100;

SDL_Window* loaderWindow = nullptr;
SDL_GLContext loaderContext = nullptr;

void discardPendingEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

void targetLoaderArea() {
    SDL_GL_MakeCurrent(loaderWindow, loaderContext);
    glViewport(0, 0, loaderWidth, loaderHeight);
}

ShaderProgram* buildLoaderProgram() {
    auto* program = new ShaderProgram();
    program->fragmentShaderSource = std::string(loaderShader());
    program->relinkProgram();
    return program;
}

Texture* buildLoaderTexture() {
    auto* texture = new Texture();
    texture->name = "loader";
    texture->imageBuffer = std::make_unique<ByteBuffer>(loaderImage());
    texture->loadImage();
    return texture;
}

void setUniform(const ShaderProgram& program, const char* name, float value) {
    const GLint location = glGetUniformLocation(program.programObject, name);
    if (location != -1)
        glUniform1f(location, value);
}

} // namespace

void setUpLoader(SDL_Window* window, SDL_GLContext context) {
    loaderWindow = window;
    loaderContext = context;
    SDL_ShowCursor(SDL_DISABLE);
    discardPendingEvents();
    targetLoaderArea();
    SDL_GL_SwapWindow(loaderWindow);

    // Like the project, the loader is never freed: it is needed until the program ends.
    ShaderProgram* program = buildLoaderProgram();
    Texture* texture = buildLoaderTexture();
    loaderEffect = new Effect("Loader", program, texture, nullptr, false, false);
    loaderSample = new AudioSample("loader", loaderJingle());
}

void renderLoaderFrame(uint64_t read, uint64_t total) {
    assert(loaderEffect);
    discardPendingEvents();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    targetLoaderArea();

    const ShaderProgram& program = *loaderEffect->program;
    glUseProgram(program.programObject);
    setUniform(program, "read", static_cast<float>(read));
    setUniform(program, "total", static_cast<float>(total));
    loaderEffect->drawPass(false);

    SDL_GL_SwapWindow(loaderWindow);
    SDL_Delay(frameDelayMs);
}

void showLoaderTail(uint64_t total) {
    loaderSample->play();
    for (int frame = 0; frame < tailFrames; ++frame) {
        renderLoaderFrame(total, total);
        SDL_Delay(frameDelayMs);
    }
}
