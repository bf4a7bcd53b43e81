#include "player/Fatal.h"

#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

void fatal(const char* message) {
    if (FILE* report = std::fopen("crash.txt", "w")) {
        std::fprintf(report, "Fatal error: %s\n", message);
        std::fprintf(report, "Exiting.");
        std::fclose(report);
    } else {
        std::printf("Error opening file!\n");
    }
    std::fprintf(stderr, "Fatal error: %s\n", message);
    showErrorBox("Quillfront", message);
    // Skip static destructors: the audio and timer threads may still be running.
    std::fflush(nullptr);
    std::_Exit(1);
}
