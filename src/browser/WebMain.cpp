// The player's entry points for its page (web/index.html): the page fetches the
// project, decodes its sounds, owns the audio output and the clock, and calls
// these to compose each picture and mix each buffer. Positions cross as doubles,
// which JavaScript numbers hold exactly.
#include "browser/WebPlayer.h"
#include "render/Gl.h"
#include "render/GlSetup.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>
#include <string>

namespace {

WebPlayer player;
std::string openProblem;

int64_t positionFrom(double position) { return static_cast<int64_t>(position); }

} // namespace

extern "C" {

// Reads the project; an empty text when it could be read, else why not.
EMSCRIPTEN_KEEPALIVE const char* qf_open(const uint8_t* bytes, int size) {
    openProblem = player.open({bytes, static_cast<size_t>(size)}).value_or("");
    return openProblem.c_str();
}

EMSCRIPTEN_KEEPALIVE int qf_sound_count() { return player.soundCount(); }
EMSCRIPTEN_KEEPALIVE const uint8_t* qf_sound_bytes(int index) { return player.encodedSound(index).data(); }
EMSCRIPTEN_KEEPALIVE int qf_sound_size(int index) { return static_cast<int>(player.encodedSound(index).size()); }

// Room for sound `index` decoded, `frames` interleaved stereo frames at the mix rate; null when refused.
EMSCRIPTEN_KEEPALIVE int16_t* qf_sound_buffer(int index, double frames) {
    return player.decodedSoundBuffer(index, positionFrom(frames));
}

EMSCRIPTEN_KEEPALIVE int qf_mix_rate() { return webMixRate; }

// Creates the WebGL 2 context on the page's canvas and builds the project for it.
// Returns 0 when the browser has no WebGL 2.
EMSCRIPTEN_KEEPALIVE int qf_start(int width, int height) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.antialias = false;
    attributes.depth = true;
    attributes.stencil = true;
    // Kept after presenting, so a frame can be read back while the demo holds still.
    attributes.preserveDrawingBuffer = true;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS)
        return 0;
    setCompositionState();
    player.build({width, height});
    return 1;
}

EMSCRIPTEN_KEEPALIVE void qf_draw_loader(int width, int height) { player.drawLoader({width, height}); }

EMSCRIPTEN_KEEPALIVE void qf_compose(double position, int width, int height, int paused) {
    player.compose(positionFrom(position), {width, height}, paused != 0);
}

// `count` frames of the mix from `first`, interleaved stereo signed 16-bit.
EMSCRIPTEN_KEEPALIVE const int16_t* qf_mix(double first, int count) {
    return player.mixAudio(positionFrom(first), count);
}

EMSCRIPTEN_KEEPALIVE double qf_beat_at(double position) { return player.beatAt(positionFrom(position)); }
EMSCRIPTEN_KEEPALIVE double qf_position_of(double beat) { return static_cast<double>(player.positionOf(beat)); }
EMSCRIPTEN_KEEPALIVE int qf_ended(double position) { return player.ended(positionFrom(position)) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int qf_sound_level() { return player.soundLevel(); }

} // extern "C"

int main() { return 0; }
