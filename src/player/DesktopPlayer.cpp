#include "player/DesktopPlayer.h"

#include "audio/AudioCache.h"
#include "audio/AudioDevice.h"
#include "audio/LiveMix.h"
#include "audio/Music.h"
#include "composition/BeatClock.h"
#include "composition/Composition.h"
#include "composition/OfflineComposer.h"
#include "platform/Platform.h"
#include "player/EnvironmentSettings.h"
#include "player/Fatal.h"
#include "player/LoaderScreen.h"
#include "player/ShellWindow.h"
#include "project/Demo.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/Tempo.h"
#include "render/EffectRenderer.h"
#include "render/Gl.h"
#include "render/GlSetup.h"
#include "render/RenderCache.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char* const nothingAppended =
    "No demo is appended to this player. Export one with: quillfront-tool export-player PROJECT demo.exe";

// Everything a playing demo keeps; the caches go before the window's context.
struct Player {
    ShellWindow window;
    ScreenSize screen;
    LiveMix liveMix;
    std::unique_ptr<LoaderScreen> loader; // its jingle may still play when the demo starts
    std::unique_ptr<Demo> demo;
    std::unique_ptr<RenderCache> render;
    std::unique_ptr<AudioCache> audio;
    BeatClock clock;
    bool quitRequested = false;
    // A held moment (QUILLFRONT_HOLD_BEAT) is composed as a render composes it:
    // with the sound analysed from the mix heard up to it, though the music is paused.
    std::unique_ptr<OfflineMix> heldMix;
    std::unique_ptr<OfflineComposer> held;
    int64_t heldPosition = 0;
};

std::optional<std::vector<uint8_t>> appendedProject(const std::string& executablePath) {
    try {
        return readAppendedProject(pathFromUtf8(executablePath));
    } catch (const LoadError& error) {
        fatal((executablePath + ": " + error.what()).c_str());
    }
}

std::unique_ptr<Demo> readProject(const std::string& executablePath, std::span<const uint8_t> bytes,
                                  const LoadProgress& progress) {
    std::string failure;
    std::unique_ptr<Demo> demo = tryReadProject([&] { return readBinaryProject(bytes, progress); }, failure);
    if (!demo)
        fatal((executablePath + ": " + failure).c_str());
    return demo;
}

int startSdl(Player& player) {
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        SDL_Log("Failed to initialize SDL: %s", SDL_GetError());
        return playerExitSdlFailed;
    }
    if (!openAudioDevice())
        return playerExitAudioDeviceFailed;
    requestGlAttributes();
    if (!demoScreenSize(player.screen) || !openShellWindow(player.window, player.screen))
        return playerExitSdlFailed;
    printGlStrings();
    setCompositionState();
    return playerExitOk;
}

void holdAt(Player& player, float beat) {
    Demo& demo = *player.demo;
    player.clock.seekToBeat(demo, beat);
    player.clock.togglePause(demo);
    const Tempo tempo = Tempo::of(demo);
    if (!tempo.usable())
        return;
    std::string problem; // reported already, when the music was refused at its start
    player.heldMix = std::make_unique<OfflineMix>(decodeMusic(demo.music->data, problem), *player.audio);
    player.held = std::make_unique<OfflineComposer>(demo, *player.render, *player.heldMix, FrameGrid{tempo},
                                                    player.screen, mixRate);
    player.heldPosition = static_cast<int64_t>(tempo.countAt(beat, mixRate));
}

// Reads the project with the loader screen filling up, builds what it draws
// and plays, and starts the music and the clock.
void openProject(Player& player, const std::string& executablePath, std::span<const uint8_t> bytes) {
    player.loader = std::make_unique<LoaderScreen>(&player.liveMix);
    LoaderScreen& loader = *player.loader;
    setUpLoader(loader, player.window.window, player.window.glContext);
    player.demo = readProject(executablePath, bytes,
                              [&](uint64_t read, uint64_t total) { renderLoaderFrame(loader, read, total); });
    player.render = std::make_unique<RenderCache>();
    player.render->build(*player.demo, player.screen);
    player.audio = std::make_unique<AudioCache>(&player.liveMix);
    player.audio->build(*player.demo);
    for (const std::string& problem : player.render->takeProblems())
        std::printf("%s\n", problem.c_str());
    for (const std::string& problem : player.audio->takeProblems())
        std::printf("%s\n", problem.c_str());
    showLoaderTail(loader, player.demo->loadTotal);

    FrameContext frame;
    frame.screen = player.screen;
    EffectRenderer renderer(*player.render, frame);
    for (const auto& effect : player.demo->effects)
        warmUpEffect(renderer, *effect);
    if (const std::optional<std::string> refused = startMusic(player.liveMix, *player.demo->music, false))
        std::printf("Music: %s\n", refused->c_str());
    player.clock.anchor();
    if (const std::optional<float> beat = heldBeatFromEnvironment())
        holdAt(player, *beat);
}

void handleEvents(Player& player) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        const bool escape = event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE;
        if (event.type == SDL_QUIT || escape)
            player.quitRequested = true;
    }
}

void composeFrame(Player& player) {
    if (player.held) {
        player.held->composeHeard(player.heldPosition, player.clock.currentBeat, player.screen, true,
                                  player.heldPosition);
        return;
    }
    glViewport(0, 0, player.screen.width, player.screen.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    FrameContext frame;
    frame.beat = player.clock.currentBeat;
    frame.paused = player.clock.paused;
    frame.soundLevel = player.liveMix.soundLevel();
    frame.soundRows = player.liveMix.soundTextureBytes();
    frame.screen = player.screen;
    renderAt(*player.demo, *player.render, *player.audio, frame);
}

void playFrame(Player& player) {
    player.clock.advance(*player.demo);
    if (player.clock.currentBeat > player.demo->end_beat)
        player.quitRequested = true;
    handleEvents(player);
    composeFrame(player);
    SDL_GL_SwapWindow(player.window.window);
    SDL_Delay(2);
}

void closePlayer(Player& player) {
    stopMusic();
    player.held.reset();
    player.heldMix.reset();
    player.audio.reset();
    player.render.reset();
    player.demo.reset();
    player.loader.reset();
    closeShellWindow(player.window);
    SDL_Quit();
}

} // namespace

int runPlayer(const std::string& executablePath) {
    // Console messages reach a log file as they happen, not at exit: unbuffered,
    // as Windows' C library buffers a line-buffered stream whole.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::optional<std::vector<uint8_t>> bytes = appendedProject(executablePath);
    if (!bytes) {
        std::printf("%s\n", nothingAppended);
        showErrorBox("Quillfront", nothingAppended);
        return playerExitNothingAppended;
    }
    Player player;
    if (const int status = startSdl(player); status != playerExitOk)
        return status;
    openProject(player, executablePath, *bytes);
    while (!player.quitRequested)
        playFrame(player);
    closePlayer(player);
    return playerExitOk;
}
