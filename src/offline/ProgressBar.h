// Progress of a long render on the terminal: a bar with the frame, the frames a
// second and the time left, redrawn in place a few times a second. When
// standard error is not a terminal (a log, a pipe) nothing is drawn on the way.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

class ProgressBar {
public:
    ProgressBar(FILE* stream, bool terminal) : stream_(stream), terminal_(terminal) {}

    // `done` of `total` frames of the stage called `label` are through.
    void update(const char* label, int64_t done, int64_t total);
    // Ends the bar and prints `summary` on a line of its own.
    void finish(const std::string& summary);

    // The line the bar shows, for a stage `elapsed` seconds in.
    static std::string line(const char* label, int64_t done, int64_t total, double elapsed);

private:
    using Clock = std::chrono::steady_clock;

    FILE* stream_;
    bool terminal_;
    std::string stage_;
    Clock::time_point stageStart_;
    Clock::time_point lastDrawn_;
    bool drawn_ = false;
    int64_t tenthsLogged_ = 0;
};
