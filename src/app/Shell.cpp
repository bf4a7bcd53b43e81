#include "app/Shell.h"

#include "app/ProjectCommands.h"
#include "audio/AudioDevice.h"
#include "audio/Music.h"
#include "composition/Composition.h"
#include "editor/windows/Editor.h"
#include "editor/windows/EditorContext.h"
#include "player/EnvironmentSettings.h"
#include "player/ShellWindow.h"
#include "render/GlErrors.h"
#include "render/GlSetup.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_ttf.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

void startGui(const ShellWindow& shellWindow) {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.ConfigWindowsMoveFromTitleBarOnly = true;
    ImGui_ImplSDL2_InitForOpenGL(shellWindow.window, shellWindow.glContext);
    ImGui_ImplOpenGL3_Init("#version 150");
    ImGui::StyleColorsDark();
}

FrameKeys pollEvents(AppState& app) {
    FrameKeys keys;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        ImGui_ImplSDL2_ProcessEvent(&event);
        handleShellEvent(app, event, keys);
    }
    return keys;
}

// The real program's tests shorten the autosave interval through the
// environment: seconds from 0 to a day; anything else keeps the default.
void readAutosaveInterval(Autosave& autosave) {
    if (const std::optional<double> seconds = numberFromEnvironment("QUILLFRONT_AUTOSAVE_SECONDS", 0.0, 86400.0))
        autosave.interval =
            std::chrono::duration_cast<Autosave::Clock::duration>(std::chrono::duration<double>(*seconds));
}

void holdAtBeatFromEnvironment(AppState& app) {
    const std::optional<float> beat = heldBeatFromEnvironment();
    if (!beat)
        return;
    app.clock.seekToBeat(*app.project.demo, *beat);
    if (!app.clock.paused)
        app.clock.togglePause(*app.project.demo);
}

bool demoHasEnded(const AppState& app) {
    const float beat = app.clock.currentBeat;
    return beat > app.project.demo->end_beat && !app.shell.editorVisible && beat < endRuleBeatLimit &&
           !app.shell.editorEverShown;
}

} // namespace

bool startUp(AppState& app, const char* executablePath, int& exitStatus) {
    app.exePath = executablePath;
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
    requestGlAttributes();

    if (!demoScreenSize(app.screen) || !openShellWindow(app.window, app.screen)) {
        exitStatus = exitSdlFailed;
        return false;
    }
    printGlStrings();
    startGui(app.window);
    // Without saved window places the editor opens arranged, not piled up.
    app.editor.arrangeRequested = !std::filesystem::exists(ImGui::GetIO().IniFilename);

    setCompositionState();
    app.loader = std::make_unique<LoaderScreen>(&app.liveMix);
    if (app.shell.quickStart)
        app.loader->frameDelayMs = 0;
    setUpLoader(*app.loader, app.window.window, app.window.glContext);

    chooseProjectSource(app, [&](uint64_t read, uint64_t total) { renderLoaderFrame(*app.loader, read, total); });
    showLoaderTail(*app.loader, app.project.demo->loadTotal);
    if (!app.shell.playerMode) {
        offerRecovery(app);
        app.editor.controllers.start(std::filesystem::current_path(), app.status);
    }
    readAutosaveInterval(app.autosave);
    const FrameContext frame = frameContext(app);
    EffectRenderer renderer(*app.project.render, frame);
    for (const auto& effect : app.project.demo->effects)
        warmUpEffect(renderer, *effect);
    if (std::optional<std::string> refused = startMusic(app.liveMix, *app.project.demo->music, !app.shell.playerMode))
        app.status.set("Music: " + *refused);
    app.clock.anchor();
    holdAtBeatFromEnvironment(app);
    SDL_AddEventWatch(watchForBackground, &app.shell);
    checkGlErrors("flushing");
    return true;
}

void advanceTransport(AppState& app) {
    BeatClock& clock = app.clock;
    const Demo& demo = *app.project.demo;
    clock.advance(demo);
    if (demoHasEnded(app))
        app.shell.quitRequested = true;
    if (clock.loopEvent && clock.currentBeat >= clock.loopEvent->endBeat)
        clock.seekToBeat(demo, clock.loopEvent->startBeat);
}

FrameContext frameContext(AppState& app) {
    FrameContext frame;
    frame.beat = app.clock.currentBeat;
    frame.paused = app.clock.paused;
    frame.soundLevel = app.liveMix.soundLevel();
    frame.soundRows = app.liveMix.soundTextureBytes();
    frame.camera = app.camera;
    frame.screen = app.screen;
    frame.hold = app.editor.controllers.activeHold();
    return frame;
}

FrameKeys updateFrame(AppState& app) {
    advanceTransport(app);
    app.editor.controllers.poll(*app.project.demo, app.editor.history, app.clock, app.status,
                                ControllerDesk::Clock::now());
    return pollEvents(app);
}

bool buildGuiFrame(AppState& app, const FrameKeys& keys) {
    // Asked for in the previous frame: a load must not release what that frame's GUI still draws.
    runEditorRequests(app);
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    bool editorDrewDemo = false;
    if (app.shell.editorVisible) {
        EditorContext context{
            *app.project.demo, *app.project.render, *app.project.audio,  app.liveMix,       app.clock,
            app.camera,        app.status,          app.projectFileName, frameContext(app), app.shell.quitRequested};
        editorDrewDemo = drawEditor(app.editor, context, keys.commandKey, keys.windowKey);
    } else {
        ImGui::SetMouseCursor(ImGuiMouseCursor_None);
    }
    ImGui::Render();
    return editorDrewDemo;
}

void composeFrame(AppState& app, bool editorDrewDemo) {
    SDL_GL_MakeCurrent(app.window.window, app.window.glContext);
    const ImGuiIO& io = ImGui::GetIO();
    glViewport(0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
    glClearColor(0.45f, 0.55f, 0.60f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!editorDrewDemo || !app.shell.editorVisible)
        renderAt(*app.project.demo, *app.project.render, *app.project.audio, frameContext(app));
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

void runFrame(AppState& app) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const FrameKeys keys = updateFrame(app);
    const bool editorDrewDemo = buildGuiFrame(app, keys);
    autosaveIfDue(app);
    composeFrame(app, editorDrewDemo);
    SDL_GL_SwapWindow(app.window.window);
    SDL_Delay(2);
}

void runMainLoop(AppState& app) {
    while (!app.shell.quitRequested)
        runFrame(app);
}

void shutDown(AppState& app) {
    SDL_DelEventWatch(watchForBackground, &app.shell);
    // The GL objects of the project and the loader go while their context exists.
    stopMusic();
    app.project = OpenProject();
    app.loader.reset();
    // A later start-up in the same process (the tests) begins with a GUI of its own.
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    closeShellWindow(app.window);
    SDL_Quit();
}

int runProgram(int, char** argv) {
    int exitStatus = exitOk;
    AppState app;
    if (!startUp(app, argv[0], exitStatus))
        return exitStatus;
    runMainLoop(app);
    autosaveBeforeQuit(app);
    shutDown(app);
    return exitOk;
}
