// Waiting for something another thread (audio, timers) does.
#pragma once

#include <SDL.h>

// Polls `done` every 5 ms for at most `limitMs`; returns its last answer.
template <typename Condition> bool waitFor(Condition done, int limitMs) {
    for (int waited = 0; waited < limitMs; waited += 5) {
        if (done())
            return true;
        SDL_Delay(5);
    }
    return done();
}
