#include "offline/HeadlessContext.h"

#include "audio/AudioDevice.h"
#include "render/GlSetup.h"

#include <GL/glew.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

HeadlessContext::~HeadlessContext() {
    if (context_)
        SDL_GL_DeleteContext(context_);
    if (window_)
        SDL_DestroyWindow(window_);
    if (fontsStarted_)
        TTF_Quit();
    if (mixerOpen_)
        Mix_CloseAudio();
    if (sdlStarted_)
        SDL_Quit();
}

bool HeadlessContext::start(ScreenSize size, std::string& problem) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    sdlStarted_ = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER) == 0;
    if (!sdlStarted_) {
        problem = std::string("SDL cannot start: ") + SDL_GetError();
        return false;
    }
    mixerOpen_ = openAudioDevice();
    if (!mixerOpen_) {
        problem = std::string("the mixer cannot open: ") + Mix_GetError();
        return false;
    }
    fontsStarted_ = TTF_Init() == 0;
    if (!fontsStarted_) {
        problem = std::string("fonts cannot be drawn: ") + TTF_GetError();
        return false;
    }
    requestGlAttributes();
    window_ =
        SDL_CreateWindow("Quillfront render", 0, 0, size.width, size.height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    context_ = window_ ? SDL_GL_CreateContext(window_) : nullptr;
    if (!context_) {
        problem = std::string("no OpenGL context without a display: ") + SDL_GetError();
        return false;
    }
    glewExperimental = GL_TRUE;
    // Debian's GLEW looks for a GLX display first and reports its absence, but it
    // has loaded the core functions from the EGL context by then.
    const GLenum status = glewInit();
    if (status != GLEW_OK && status != GLEW_ERROR_NO_GLX_DISPLAY) {
        problem = std::string("OpenGL functions cannot be loaded: ") +
                  reinterpret_cast<const char*>(glewGetErrorString(status));
        return false;
    }
    setCompositionState();
    return true;
}
