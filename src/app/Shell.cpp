#include "app/Shell.h"

#include "app/BeatClock.h"
#include "app/LoaderScreen.h"
#include "app/ProjectCommands.h"
#include "app/ShellInput.h"
#include "app/ShellState.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "audio/SoundAnalysis.h"
#include "editor/Editor.h"
#include "project/Demo.h"
#include "project/LoadProgress.h"
#include "render/GlErrors.h"
#include "render/ScreenSize.h"
#include "timeline/Composition.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_ttf.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include <cstdio>

namespace {

const char* const windowTitle = "Quillfront by Vexlane";
// Past this beat the end-of-demo rule is off: the editor's beat field can jump far ahead.
constexpr float endRuleBeatLimit = 10000.0f;

SDL_Window* window = nullptr;
SDL_GLContext glContext = nullptr;

void setGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

bool createWindowAndContext() {
    window = SDL_CreateWindow(windowTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, screenSize.width,
                              screenSize.height, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (!window) {
        SDL_Log("SDL_CreateWindow failed: %s", SDL_GetError());
        return false;
    }
    glContext = SDL_GL_CreateContext(window);
    if (!glContext) {
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

const char* glString(GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); }

void printGlStrings() {
    std::printf("OpenGL version: %s\n", glString(GL_VERSION));
    std::printf("GLSL version: %s\n", glString(GL_SHADING_LANGUAGE_VERSION));
    std::printf("Vendor: %s\n", glString(GL_VENDOR));
    std::printf("Renderer: %s\n", glString(GL_RENDERER));
}

void startGui() {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.ConfigWindowsMoveFromTitleBarOnly = true;
    ImGui_ImplSDL2_InitForOpenGL(window, glContext);
    ImGui_ImplOpenGL3_Init("#version 150");
    ImGui::StyleColorsDark();
}

FrameKeys pollEvents() {
    FrameKeys keys;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        ImGui_ImplSDL2_ProcessEvent(&event);
        handleShellEvent(event, keys);
    }
    return keys;
}

bool demoHasEnded() {
    const float beat = beatClock.currentBeat;
    return beat > theDemo->end_beat && !editorVisible && beat < endRuleBeatLimit && !editorEverShown;
}

} // namespace

bool startUp(const char* executablePath, int& exitStatus) {
    exePath = executablePath;
    // Console messages reach a log file as they happen, not at exit.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Debian's GLEW resolves GL functions through GLX, so stay on X11 even under Wayland.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        SDL_Log("Failed to initialize SDL: %s", SDL_GetError());
        exitStatus = exitSdlFailed;
        return false;
    }
    if (!openAudioDevice()) {
        exitStatus = exitAudioDeviceFailed;
        return false;
    }
    if (TTF_Init() != 0)
        std::printf("TTF_Init failed: %s\n", TTF_GetError());
    setGlAttributes();

    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        SDL_Log("SDL_GetDesktopDisplayMode failed: %s", SDL_GetError());
        exitStatus = exitSdlFailed;
        return false;
    }
    // Always 16:9 at the full desktop width, whatever the desktop's height.
    screenSize = {desktop.w, desktop.w * 9 / 16};
    if (!createWindowAndContext()) {
        exitStatus = exitSdlFailed;
        return false;
    }
    printGlStrings();
    startGui();

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // Every layer of the demo is composited over the previous ones with this blend state.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setUpLoader(window, glContext);
    loadProgress = renderLoaderFrame;

    chooseProjectSource();
    showLoaderTail(theDemo->loadTotal);
    for (const auto& effect : theDemo->effects)
        warmUpEffect(*effect);
    createFftConfig();
    startMusic(*theDemo->music, !playerMode);
    beatClock.anchor();
    SDL_AddEventWatch(watchForBackground, nullptr);
    checkGlErrors("flushing");
    return true;
}

void advanceTransport() {
    beatClock.advance(*theDemo);
    if (demoHasEnded())
        quitRequested = true;
    if (loopEvent && beatClock.currentBeat >= loopEvent->endBeat)
        beatClock.seekToBeat(*theDemo, loopEvent->startBeat);
}

void runFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    advanceTransport();
    const FrameKeys keys = pollEvents();

    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    bool editorDrewDemo = false;
    if (editorVisible)
        editorDrewDemo = drawEditor(projectFileName, keys.commandKey, keys.windowKey);
    else
        ImGui::SetMouseCursor(ImGuiMouseCursor_None);
    ImGui::Render();

    SDL_GL_MakeCurrent(window, glContext);
    const ImGuiIO& io = ImGui::GetIO();
    glViewport(0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
    glClearColor(0.45f, 0.55f, 0.60f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!editorDrewDemo || !editorVisible)
        renderAt(*theDemo, beatClock.currentBeat);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());

    SDL_GL_SwapWindow(window);
    SDL_Delay(2);
}

void runMainLoop() {
    while (!quitRequested)
        runFrame();
}

void shutDown() {
    SDL_DelEventWatch(watchForBackground, nullptr);
    SDL_GL_DeleteContext(glContext);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

int runProgram(int, char** argv) {
    int exitStatus = exitOk;
    if (!startUp(argv[0], exitStatus))
        return exitStatus;
    runMainLoop();
    shutDown();
    return exitOk;
}
